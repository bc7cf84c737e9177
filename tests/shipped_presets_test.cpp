// The system preset file as shipped: CRLF lines opening with the default
// preset, which holds the table's defaults; every preset read-only, plain
// presets within range on a 768-pixel-high screen and distinct, one preset
// for each command; the random choice finds only the plain ones.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "framework/random.h"
#include "platform/ini/ini_store.h"
#include "saver/config.h"
#include "tests/scratch_dir.h"

namespace {

const std::string kShipped = std::string(PRUMYA_SOURCE_DIR) + "/resources/actsys.ini";

TEST(ShippedPresets, CrlfTextOpeningWithTheDefaultThenReadOnlyPresetsForEachCommand) {
  testutil::ScratchDir scratch{"shipped"};  // where the absent files would be
  plat::IniStore store;
  qrx::Random rng;
  prumya::SaverConfig config(store, rng);
  std::snprintf(config.paths.systemPresets, sizeof config.paths.systemPresets, "%s", kShipped.c_str());
  std::snprintf(config.paths.userPresets, sizeof config.paths.userPresets, "%s", scratch.File("action.ini").c_str());
  std::snprintf(config.paths.settings, sizeof config.paths.settings, "%s", scratch.File("prumya.ini").c_str());
  config.FitScreen(1024, 768);
  const auto read = [&](const std::string& name, const char* key, int absent = -100000) {
    return config.ReadPresetInt(name.c_str(), key, absent);
  };
  std::ifstream f(kShipped, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(f), {});
  for (std::size_t i = 0; i < bytes.size(); ++i)
    ASSERT_FALSE(bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) << "bare line feed at byte " << i;
  EXPECT_EQ(0u, bytes.find(std::string("[") + prumya::kDefaultPresetName + "]"));
  config.LoadSettings(false);
  EXPECT_STREQ(prumya::kDefaultPresetName, config.settings.presetName);
  EXPECT_EQ(0, config.settings.command);
  for (int i = 0; i < prumya::kParamCount; ++i) EXPECT_EQ(prumya::kParamTable[i].defaultValue, config.params[i]) << i;

  char list[2048] = {};
  EXPECT_LT(store.GetSectionNames(list, sizeof list, kShipped.c_str()), sizeof list - 2) << "must fit the buffer";
  std::set<int> commands;
  std::set<std::vector<int>> pictures;
  std::set<std::string> plain, chosen;
  for (const char* p = list; *p != '\0'; p += std::strlen(p) + 1) {
    const std::string name = p;
    SCOPED_TRACE(name);
    EXPECT_LE(name.size(), static_cast<std::size_t>(prumya::kPresetNameMax));
    EXPECT_EQ(1, read(name, "readonly"));
    commands.insert(read(name, "command", -1));
    if (read(name, "command", -1) != prumya::kPlainPreset) continue;
    plain.insert(name);
    std::vector<int> values;
    for (int i = 0; i < prumya::kParamCount; ++i) {
      char key[8];
      prumya::FormatDataKey(key, i);
      values.push_back(read(name, key));
      EXPECT_TRUE(values.back() >= config.ranges[i].minimum && values.back() <= config.ranges[i].maximum) << key;
    }
    EXPECT_TRUE(pictures.insert(values).second) << "same values as another preset";
  }
  EXPECT_GE(plain.size(), 9u);  // the default and at least eight others
  EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4}), commands);
  for (int i = 0; i < 200; ++i) config.PickRandomPreset(), chosen.insert(config.settings.presetName);
  EXPECT_EQ(plain, chosen);
}

}  // namespace
