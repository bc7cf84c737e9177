#include "platform/ini/sjis_text.h"

namespace plat::ini {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

std::size_t CharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
    return 2;
  }
  return 1;
}

std::size_t FitWholeChars(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t next = pos + CharLength(text, pos);
    if (next > maxBytes) break;
    pos = next;
  }
  return pos;
}

bool IsProfileSpace(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

// No trail byte is white space, so trimming from either end never splits a character.
std::string_view TrimSpace(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsProfileSpace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsProfileSpace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string_view UpToNul(std::string_view text) {
  std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

namespace {
unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t pos = 0;
  while (pos < a.size()) {
    std::size_t len = CharLength(a, pos);
    if (len == 2) {
      if (a.compare(pos, 2, b, pos, 2) != 0) return false;
    } else if (FoldAscii(static_cast<unsigned char>(a[pos])) !=
               FoldAscii(static_cast<unsigned char>(b[pos]))) {
      return false;
    }
    pos += len;
  }
  return true;
}

}  // namespace plat::ini
