#include "platform/common/char_lower.h"

namespace plat {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

void LowercaseCp932InPlace(char* text) {
  if (text == nullptr) return;
  for (char* p = text; *p != '\0'; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (IsLeadByte(c)) {
      if (p[1] == '\0') break;
      ++p;
    } else if (c >= 'A' && c <= 'Z') {
      *p = static_cast<char>(c - 'A' + 'a');
    }
  }
}

}  // namespace plat
