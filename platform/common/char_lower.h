// CharLowerA's effect on a code page 932 string, for ports without it.
#pragma once

namespace plat {

// Lowercases ASCII letters in place; double-byte characters are stepped over
// whole so their trail bytes (which overlap ASCII) stay as they are.
void LowercaseCp932InPlace(char* text);

}  // namespace plat
