// The private-profile operations' rules (GetPrivateProfileStringA and
// friends) applied to one file's text in memory. A missing file reads as
// empty text. IniStore adds the file I/O.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/ini_text.h"

namespace plat::ini {

// One pair of matching quotes (" or ') around the whole text is removed.
std::string_view Unquote(std::string_view text);
// The default argument: null reads as "", trailing blanks dropped, unquoted.
std::string_view DefaultText(const char* defaultText);
// GetPrivateProfileIntA's reading of a value: white space, sign, "0x"/"0o"/"0b"
// prefixes, digits to the first non-digit, wrapping modulo 2^32.
std::int32_t ParseProfileInt(std::string_view text);

// Copies text cut to size - 1 bytes (never between the bytes of a DBCS
// character) plus a NUL; returns the bytes copied.
std::uint32_t CopyString(std::string_view text, char* buffer, std::uint32_t size);
// Copies names as a NUL-separated list ended by a further NUL. A list that
// does not fit is cut and ended by two NULs; the result is where they start.
std::uint32_t CopyList(const std::vector<std::string_view>& names, char* buffer,
                       std::uint32_t size);

std::uint32_t ReadString(const IniText& text, const char* section, const char* key,
                         const char* defaultText, char* buffer, std::uint32_t size);
std::int32_t ReadInt(const IniText& text, const char* section, const char* key,
                     std::int32_t defaultValue);
std::uint32_t ReadSectionNames(const IniText& text, char* buffer, std::uint32_t size);

enum class WriteOutcome { kRefused, kUnchanged, kChanged };
// WritePrivateProfileStringA on text: null key deletes the section, null
// value deletes the key. Refuses a null section and any name or value that
// would break the file's lines (line breaks, '=' in a key, a key that reads
// as a section header, a new section named with a lone lead byte at its
// end). On kChanged, out holds the new bytes.
WriteOutcome ApplyWrite(const IniText& text, const char* section, const char* key,
                        const char* value, std::string& out);

}  // namespace plat::ini
