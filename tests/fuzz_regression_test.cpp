// Every input the fuzzers ever failed on (tests/fuzz/regressions) and every
// seed (tests/fuzz/corpus), run through the same checks as the fuzz targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/bmp_oracle.h"
#include "tests/fuzz/ini_oracle.h"
#include "tests/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFuzzDir = fs::path(PRUMYA_SOURCE_DIR) / "tests" / "fuzz";

std::vector<fs::path> FilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::uint8_t> Bytes(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

class FuzzInputs : public ::testing::Test {
 protected:
  template <typename Check>
  void RunAll(const char* kind, Check check) {
    std::size_t count = 0;
    for (const char* set : {"regressions", "corpus"}) {
      for (const fs::path& file : FilesIn(kFuzzDir / set / kind)) {
        const std::vector<std::uint8_t> bytes = Bytes(file);
        EXPECT_EQ("", check(bytes)) << file.string();
        ++count;
      }
    }
    EXPECT_GT(count, 0u) << "no inputs under " << (kFuzzDir / "corpus" / kind).string();
  }

  testutil::ScratchDir dir_{"fuzz-regression"};
  const fs::path scratch_ = dir_.Path() / "store";
};

TEST_F(FuzzInputs, IniStoreHoldsItsRulesOnEveryKnownInput) {
  RunAll("ini", [this](const std::vector<std::uint8_t>& b) {
    return inicheck::CheckIniInput(b.data(), b.size(), scratch_);
  });
}

TEST_F(FuzzInputs, BmpParserRefusesOrReadsEveryKnownInput) {
  RunAll("bmp", [](const std::vector<std::uint8_t>& b) { return bmpcheck::CheckBmpInput(b.data(), b.size()); });
}

}  // namespace
