#include "platform/common/sjis.h"

#include <cstdint>
#include <cstring>

namespace plat::sjis {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

std::size_t CharLength(std::string_view text, std::size_t pos) {
  const bool pair = pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
                    IsTrailByte(static_cast<unsigned char>(text[pos + 1]));
  return pair ? 2 : 1;
}

std::size_t CharLength(const char* text) {
  if (text[0] == '\0') return 0;
  // The terminator is no trail byte, so the pair test never reads past it.
  const bool pair = IsLeadByte(static_cast<unsigned char>(text[0])) &&
                    IsTrailByte(static_cast<unsigned char>(text[1]));
  return pair ? 2 : 1;
}

std::size_t FitWhole(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t next = pos + CharLength(text, pos);
    if (next > maxBytes) break;
    pos = next;
  }
  return pos;
}

std::size_t CopyBounded(char* dst, std::size_t dstSize, std::string_view text) {
  if (dst == nullptr || dstSize == 0) return 0;
  const std::size_t n = FitWhole(text, dstSize - 1);
  if (n > 0) std::memmove(dst, text.data(), n);
  dst[n] = '\0';
  return n;
}

bool EndsInLoneLead(std::string_view text) {
  std::size_t pos = 0, last = 0;
  while (pos < text.size()) pos += CharLength(text, last = pos);
  return pos - last == 1 && !text.empty() && IsLeadByte(static_cast<unsigned char>(text[last]));
}

void LowerInPlace(char* text) {
  if (text == nullptr) return;
  for (std::size_t step; (step = CharLength(text)) != 0; text += step)
    if (step == 1 && *text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
}

namespace {

// The character at text[pos] as a sort key, and pos moved past it: a
// double-byte character as lead * 256 + trail, a single byte (ASCII letters
// lowered) as byte * 256, so keys keep the byte order of the text; one more
// than that, so that 0 marks the end and a NUL byte is a character too.
std::uint32_t NextKey(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) return 0;
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  if (CharLength(text, pos) == 2) {
    pos += 2;
    return ((static_cast<std::uint32_t>(c) << 8) | static_cast<unsigned char>(text[pos - 1])) + 1;
  }
  ++pos;
  return (static_cast<std::uint32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) << 8) + 1;
}

}  // namespace

int CompareFolded(std::string_view a, std::string_view b) {
  std::size_t pa = 0, pb = 0;
  for (;;) {
    const std::uint32_t ka = NextKey(a, pa), kb = NextKey(b, pb);
    if (ka != kb) return ka < kb ? -1 : 1;
    if (ka == 0) return 0;
  }
}

bool EqualFolded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareFolded(a, b) == 0;
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  std::size_t pt = 0, pp = 0;
  for (;;) {
    const std::uint32_t kp = NextKey(prefix, pp);
    if (kp == 0) return true;
    if (NextKey(text, pt) != kp) return false;
  }
}

}  // namespace plat::sjis
