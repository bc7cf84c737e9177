#include "platform/ini/profile_space.h"

namespace plat::ini {

bool IsProfileSpace(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

std::string_view TrimSpace(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsProfileSpace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsProfileSpace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string_view UpToNul(std::string_view text) {
  std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace plat::ini
