// libFuzzer target: the INI store's reads and edits on arbitrary bytes, in
// memory (see ini_oracle.h). The file layer under them has its own tests
// (the store's round trips and the killed writer), which need no fuzzing.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/ini_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string error = inicheck::CheckIniInput(data, size);
  if (!error.empty()) {
    std::fprintf(stderr, "ini check failed: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
