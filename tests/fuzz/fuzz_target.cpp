// libFuzzer target: one checker on arbitrary bytes, the BMP parser's when
// FUZZ_BMP is defined, else the INI store's reads and edits in memory (the
// file layer under them has its own tests, which need no fuzzing). Any
// complaint aborts.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/bmp_oracle.h"
#include "tests/fuzz/ini_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
#ifdef FUZZ_BMP
  const std::string error = bmpcheck::CheckBmpInput(data, size);
#else
  const std::string error = inicheck::CheckIniInput(data, size);
#endif
  if (!error.empty()) {
    std::fprintf(stderr, "check failed: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
