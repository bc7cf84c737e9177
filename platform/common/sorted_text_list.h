// The list of a sorted combo box, kept as code page 932 byte strings, for
// ports whose toolkit sorts differently (or not at all). Order and matching
// follow the Windows list under code page 932 (sjis::CompareFolded).
#pragma once
#include <string>
#include <vector>

namespace plat {

class SortedTextList {
 public:
  int Add(const char* text);  // index where it went; after entries that compare equal
  int FindPrefix(const char* prefix) const;  // first match or -1
  int FindExact(const char* text) const;     // first match ignoring case, or -1
  bool Delete(int index);
  int Count() const { return static_cast<int>(entries_.size()); }
  const char* Text(int index) const;  // null when out of range
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::string> entries_;
};

}  // namespace plat
