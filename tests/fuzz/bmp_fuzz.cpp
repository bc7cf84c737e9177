// libFuzzer target: the BMP parser on arbitrary bytes.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/bmp_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string error = bmpcheck::CheckBmpInput(data, size);
  if (!error.empty()) {
    std::fprintf(stderr, "bmp check failed: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
