// Every input the fuzzers ever failed on (tests/fuzz/regressions) and every
// seed (tests/fuzz/corpus, the hostile INI files among them), run through the
// same checks as the fuzz targets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/bmp_oracle.h"
#include "tests/fuzz/ini_oracle.h"

namespace {

template <typename Check>
void RunAll(const char* kind, Check check) {
  namespace fs = std::filesystem;
  std::size_t count = 0;
  for (const char* set : {"regressions", "corpus"}) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(PRUMYA_SOURCE_DIR) / "tests" / "fuzz" / set / kind, ec)) {
      std::ifstream f(entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
      EXPECT_EQ("", check(bytes.data(), bytes.size())) << entry.path().string();
      ++count;
    }
  }
  EXPECT_GT(count, 5u);
}

TEST(FuzzInputs, IniStoreHoldsItsRulesOnEveryKnownInput) { RunAll("ini", inicheck::CheckIniInput); }
TEST(FuzzInputs, BmpParserRefusesOrReadsEveryKnownInput) { RunAll("bmp", bmpcheck::CheckBmpInput); }

}  // namespace
