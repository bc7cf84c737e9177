// Byte-level helpers for code page 932 text as private-profile files hold it.
// A lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E,
// 0x80-0xFC) is one character: its trail may look like '\\', '[', ']' or a
// letter and must never be taken for one. A lead byte without a valid trail
// stands alone.
#pragma once
#include <cstddef>
#include <string_view>

namespace plat::ini {

bool IsLeadByte(unsigned char c);
bool IsTrailByte(unsigned char c);

// Length (1 or 2) of the character starting at text[pos]; pos < text.size().
std::size_t CharLength(std::string_view text, std::size_t pos);

// The longest prefix of whole characters that fits in maxBytes.
std::size_t FitWholeChars(std::string_view text, std::size_t maxBytes);

// White space around names and values: tab, LF, VT, FF, CR, ^Z, space.
bool IsProfileSpace(unsigned char c);
std::string_view TrimSpace(std::string_view text);

// The text up to its first NUL: what a C string caller can see of it.
std::string_view UpToNul(std::string_view text);

// Section and key names compare with ASCII letters folded, DBCS characters exact.
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace plat::ini
