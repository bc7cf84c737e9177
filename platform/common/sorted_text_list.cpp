#include "platform/common/sorted_text_list.h"

namespace plat {
namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

unsigned Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

// The next character as a sort key: a double-byte character as lead * 256 +
// trail, a single byte (ASCII case folded) as byte * 256, so keys keep the
// byte order of the text. 0 at the terminator.
unsigned NextChar(const unsigned char*& p) {
  const unsigned char c = *p;
  if (c == 0) return 0;
  ++p;
  if (IsLeadByte(c) && *p != 0) return (static_cast<unsigned>(c) << 8) | *p++;
  return Fold(c) << 8;
}

}  // namespace

int CompareListText(const char* a, const char* b) {
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  for (;;) {
    const unsigned ca = NextChar(pa);
    const unsigned cb = NextChar(pb);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

bool ListTextStartsWith(const char* text, const char* prefix) {
  const unsigned char* pt = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* pp = reinterpret_cast<const unsigned char*>(prefix);
  for (;;) {
    const unsigned cp = NextChar(pp);
    if (cp == 0) return true;
    if (NextChar(pt) != cp) return false;
  }
}

int SortedTextList::Add(const char* text) {
  std::size_t at = 0;
  while (at < entries_.size() && CompareListText(entries_[at].c_str(), text) <= 0) ++at;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), text);
  return static_cast<int>(at);
}

int SortedTextList::FindPrefix(const char* prefix) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (ListTextStartsWith(entries_[i].c_str(), prefix)) return static_cast<int>(i);
  return -1;
}

int SortedTextList::FindExact(const char* text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (CompareListText(entries_[i].c_str(), text) == 0) return static_cast<int>(i);
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
