// Shift_JIS (code page 932) text as bytes: the one place that knows which
// bytes pair into a character. A lead byte (0x81-0x9F, 0xE0-0xFC) followed by
// a trail byte (0x40-0x7E, 0x80-0xFC) is one character; its trail may look
// like '\\', '/', '[', ']' or a letter and must never be taken for one. A lead
// byte without a trail after it stands alone as a character of one byte.
#pragma once
#include <cstddef>
#include <string_view>

namespace plat::sjis {

bool IsLeadByte(unsigned char c);
bool IsTrailByte(unsigned char c);

// Bytes (1 or 2) of the character at text[pos]; pos < text.size().
std::size_t CharLength(std::string_view text, std::size_t pos);
// The same for a NUL-terminated text; 0 at the terminator.
std::size_t CharLength(const char* text);

// The longest prefix of whole characters within maxBytes.
std::size_t FitWhole(std::string_view text, std::size_t maxBytes);
// Copies that prefix of text into dst of dstSize bytes, NUL-terminated (for
// dstSize >= 1); returns the bytes copied without the terminator.
std::size_t CopyBounded(char* dst, std::size_t dstSize, std::string_view text);

// Whether the last character is a lone lead byte, which would pair with
// whatever is written after it.
bool EndsInLoneLead(std::string_view text);

// ASCII letters lowered in place (CharLowerA's effect under code page 932).
void LowerInPlace(char* text);

// Order and equality with ASCII letters compared without case and double-byte
// characters by their bytes: <0, 0 or >0 as a sorts before, with or after b.
int CompareFolded(std::string_view a, std::string_view b);
bool EqualFolded(std::string_view a, std::string_view b);
bool StartsWithFolded(std::string_view text, std::string_view prefix);

}  // namespace plat::sjis
