// The system preset file as shipped: every preset read-only, plain presets
// within range on a 768-pixel-high screen and distinct, one preset for each
// command.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "framework/random.h"
#include "platform/ini/ini_store.h"
#include "saver/config.h"
#include "tests/scratch_dir.h"

namespace {

const std::string kShipped = std::string(PRUMYA_SOURCE_DIR) + "/resources/actsys.ini";

struct ShippedPresets : ::testing::Test {
  ShippedPresets() : config(store, rng) {
    std::snprintf(config.paths.systemPresets, sizeof config.paths.systemPresets, "%s",
                  kShipped.c_str());
    std::snprintf(config.paths.userPresets, sizeof config.paths.userPresets, "%s",
                  scratch.File("action.ini").c_str());
    config.FitScreen(1024, 768);
  }
  std::vector<std::string> Names() {
    char list[2048] = {};
    const std::uint32_t n = store.GetSectionNames(list, sizeof list, kShipped.c_str());
    EXPECT_LT(n, sizeof list - 2) << "the list must fit the saver's buffer";
    std::vector<std::string> names;
    for (const char* p = list; *p != '\0'; p += std::strlen(p) + 1) names.push_back(p);
    return names;
  }

  testutil::ScratchDir scratch{"shipped"};  // where the absent files would be
  plat::IniStore store;
  qrx::Random rng;
  prumya::SaverConfig config;
};

TEST_F(ShippedPresets, FileIsCrlfShiftJisText) {
  std::FILE* f = std::fopen(kShipped.c_str(), "rb");
  ASSERT_NE(nullptr, f);
  std::string bytes;
  for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<char>(c));
  std::fclose(f);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool bareLineFeed = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
    ASSERT_FALSE(bareLineFeed) << "at byte " << i;
  }
  const std::string defaultHeader = std::string("[") + prumya::kDefaultPresetName + "]";
  EXPECT_EQ(0u, bytes.find(defaultHeader));
}

TEST_F(ShippedPresets, EveryPresetReadOnlyInRangeAndEachCommandPresent) {
  const std::vector<std::string> names = Names();
  std::set<int> commands;
  std::set<std::vector<int>> pictures;
  int plain = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_LE(name.size(), static_cast<std::size_t>(prumya::kPresetNameMax));
    EXPECT_EQ(1, config.ReadPresetInt(name.c_str(), "readonly", 0));
    const int command = config.ReadPresetInt(name.c_str(), "command", -1);
    commands.insert(command);
    if (command != prumya::kPlainPreset) continue;
    ++plain;
    std::vector<int> values;
    for (int i = 0; i < prumya::kParamCount; ++i) {
      char key[8];
      prumya::FormatDataKey(key, i);
      const std::int32_t v = config.ReadPresetInt(name.c_str(), key, -100000);
      EXPECT_GE(v, config.ranges[i].minimum) << key;
      EXPECT_LE(v, config.ranges[i].maximum) << key;
      values.push_back(v);
    }
    EXPECT_TRUE(pictures.insert(values).second) << "same values as another preset";
  }
  EXPECT_GE(plain, 9);  // the default and at least eight others
  EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4}), commands);
}

TEST_F(ShippedPresets, DefaultPresetHoldsTheTableDefaults) {
  std::snprintf(config.paths.settings, sizeof config.paths.settings, "%s", scratch.File("prumya.ini").c_str());
  config.LoadSettings(false);
  const std::string name = config.settings.presetName;
  EXPECT_EQ(std::string(prumya::kDefaultPresetName), name);
  EXPECT_EQ(0, config.settings.command);
  for (int i = 0; i < prumya::kParamCount; ++i)
    EXPECT_EQ(prumya::kParamTable[i].defaultValue, config.params[i]) << i;
}

TEST_F(ShippedPresets, RandomChoiceFindsOnlyThePlainPresets) {
  std::set<std::string> chosen;
  for (int i = 0; i < 200; ++i) {
    config.PickRandomPreset();
    chosen.insert(config.settings.presetName);
  }
  for (const std::string& name : chosen)
    EXPECT_EQ(0, config.ReadPresetInt(name.c_str(), "command", -1)) << name;
  EXPECT_GE(chosen.size(), 9u);
}

}  // namespace
