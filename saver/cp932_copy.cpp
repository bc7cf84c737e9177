// Bounded copies of code page 932 text into fixed buffers.
#include <cstring>

#include "framework/cp932.h"
#include "saver/config.h"

namespace prumya {

std::size_t CopyCp932(char* dst, std::size_t dstSize, const char* src) {
  std::size_t n = 0;
  for (;;) {
    const std::size_t len = qrx::Cp932CharLength(src + n);
    if (len == 0 || n + len > dstSize - 1) break;
    // A lead byte cut off from its trail by the terminator is dropped.
    if (len == 1 && qrx::IsCp932LeadByte(static_cast<unsigned char>(src[n]))) break;
    std::memcpy(dst + n, src + n, len);
    n += len;
  }
  dst[n] = '\0';
  return n;
}

}  // namespace prumya
