// Code page 932 <-> UTF-8 at the Linux UI boundary (glibc iconv "CP932").
// Texts live as Shift_JIS bytes everywhere else.
#pragma once
#include <string>

namespace plat::linux_port {

// Bytes that do not convert become '?', so a text always shows.
std::string Cp932ToUtf8(const char* text);
// Characters without a code page 932 form become '?'; returns false when any did.
bool Utf8ToCp932(const char* text, std::string& out);

}  // namespace plat::linux_port
