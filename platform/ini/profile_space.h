// White space and NULs as private-profile files treat them. No trail byte is
// white space or NUL, so trimming and cutting here never split a character.
#pragma once
#include <string_view>

namespace plat::ini {

// White space around names and values: tab, LF, VT, FF, CR, ^Z, space.
bool IsProfileSpace(unsigned char c);
std::string_view TrimSpace(std::string_view text);

// The text up to its first NUL: what a C string caller can see of it.
std::string_view UpToNul(std::string_view text);

}  // namespace plat::ini
