// The list of a sorted combo box, kept as code page 932 byte strings, for
// ports whose toolkit sorts differently (or not at all). Order and matching
// follow the Windows list under code page 932: ASCII letters compare without
// case, everything else by its Shift_JIS bytes, character by character.
#pragma once
#include <string>
#include <vector>

namespace plat {

// <0, 0 or >0 as a sorts before, with or after b.
int CompareListText(const char* a, const char* b);
// Whether text begins with prefix, ignoring ASCII case (an empty prefix
// matches every text).
bool ListTextStartsWith(const char* text, const char* prefix);

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
