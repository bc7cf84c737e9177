// Code page 932 (Shift_JIS) byte classes. Trail bytes 0x40-0xFC overlap
// ASCII, so anything that scans for '\\', '/' or letters must step over
// double-byte characters whole.
#pragma once
#include <cstddef>

namespace qrx {

inline bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bytes of the character starting at text: 2 for a lead byte followed by a
// trail byte, else 1 (0 at the terminator). A lead byte directly before the
// terminator counts as one byte so scans never step past the NUL.
inline std::size_t Cp932CharLength(const char* text) {
  const unsigned char c = static_cast<unsigned char>(text[0]);
  if (c == 0) return 0;
  if (IsCp932LeadByte(c) && text[1] != '\0') return 2;
  return 1;
}

}  // namespace qrx
