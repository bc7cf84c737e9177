// Code page 932 <-> UTF-8 at the Linux UI boundary (glibc iconv "CP932").
// Texts live as Shift_JIS bytes everywhere else.
#pragma once
#include <cstddef>
#include <string>

namespace plat::linux_port {

// Bytes that do not convert become '?', so a text always shows.
std::string Cp932ToUtf8(const char* text);
// Characters without a code page 932 form become '?'; returns false when any did.
bool Utf8ToCp932(const char* text, std::string& out);
// Bytes of the longest run of whole UTF-8 characters at the start of text
// whose code page 932 form takes at most cp932Bytes bytes.
std::size_t Utf8PrefixWithin(const std::string& text, std::size_t cp932Bytes);

}  // namespace plat::linux_port
