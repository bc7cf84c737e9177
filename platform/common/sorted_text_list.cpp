#include "platform/common/sorted_text_list.h"

#include "platform/common/sjis.h"

namespace plat {

int SortedTextList::Add(const char* text) {
  std::size_t at = 0;
  while (at < entries_.size() && sjis::CompareFolded(entries_[at], text) <= 0) ++at;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), text);
  return static_cast<int>(at);
}

int SortedTextList::FindPrefix(const char* prefix) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (sjis::StartsWithFolded(entries_[i], prefix)) return static_cast<int>(i);
  return -1;
}

int SortedTextList::FindExact(const char* text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (sjis::CompareFolded(entries_[i], text) == 0) return static_cast<int>(i);
  return -1;
}

bool SortedTextList::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  entries_.erase(entries_.begin() + index);
  return true;
}

const char* SortedTextList::Text(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return entries_[static_cast<std::size_t>(index)].c_str();
}

}  // namespace plat
