#include "platform/linux/utf8_boundary.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace plat::linux_port {

namespace {

// Converts with iconv, replacing each unconvertible input unit by '?'.
// `unit` is how many input bytes to skip on such an error.
bool Convert(const char* to, const char* from, const char* text, std::string& out) {
  out.clear();
  if (text == nullptr) return true;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    out = text;
    return false;
  }
  bool clean = true;
  char* in = const_cast<char*>(text);
  std::size_t inLeft = std::strlen(text);
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    clean = false;  // EILSEQ or EINVAL: skip one byte (one whole UTF-8 sequence below)
    out.push_back('?');
    std::size_t skip = 1;
    if (std::strcmp(from, "UTF-8") == 0) {
      while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
    }
    in += skip;
    inLeft -= skip;
  }
  iconv_close(cd);
  return clean;
}

}  // namespace

std::string Cp932ToUtf8(const char* text) {
  std::string out;
  Convert("UTF-8", "CP932", text, out);
  return out;
}

bool Utf8ToCp932(const char* text, std::string& out) { return Convert("CP932", "UTF-8", text, out); }

std::size_t Utf8PrefixWithin(const std::string& text, std::size_t cp932Bytes) {
  std::size_t end = 0, used = 0;
  std::string one;
  while (end < text.size()) {
    std::size_t next = end + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    Convert("CP932", "UTF-8", text.substr(end, next - end).c_str(), one);
    if (used + one.size() > cp932Bytes) break;
    used += one.size();
    end = next;
  }
  return end;
}

}  // namespace plat::linux_port
