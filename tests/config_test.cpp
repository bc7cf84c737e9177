#include <set>

#include "tests/config_fixture.h"

using prumya::kParamCount;
using prumya::kParamTable;
using prumya_test::ConfigTest;
using prumya_test::kSettingsFile;
using prumya_test::kSystemFile;
using prumya_test::kUserFile;

TEST(Random, SeedOneGivesTheRuntimeSequence) {
  qrx::Random rng;
  rng.Seed(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169};
  for (int e : expected) EXPECT_EQ(e, rng.Next());
}

TEST(Random, BetweenCoversItsBoundsAndSkipsZeroWhenAsked) {
  qrx::Random rng;
  std::set<int> signs, lengths;
  for (int i = 0; i < 100000; ++i) {
    signs.insert(rng.Between(-1, 1, false));
    lengths.insert(rng.Between(4, 512, true));
  }
  EXPECT_EQ((std::set<int>{-1, 1}), signs);
  EXPECT_EQ(4, *lengths.begin());
  EXPECT_EQ(512, *lengths.rbegin());
}

TEST_F(ConfigTest, NoFilesGiveTheDefaults) {
  config.LoadSettings(true);
  EXPECT_EQ(prumya::kDefaultPresetName, Name());
  EXPECT_EQ(0, config.settings.speedLimitMs);
  EXPECT_EQ(24, config.settings.mouseThreshold);
  EXPECT_EQ(0, config.settings.showClock + config.settings.showFrameRate +
                   config.settings.fullColour + config.settings.command);
  for (int i = 0; i < kParamCount; ++i) EXPECT_EQ(kParamTable[i].defaultValue, config.params[i]);
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(ConfigTest, ValuesAreClampedIntoTheScreenFittedRanges) {
  config.FitScreen(320, 200);
  for (int i : {prumya::Radius, prumya::Margin, prumya::WobbleAmplitude})
    EXPECT_EQ(50, config.ranges[i].maximum);
  const std::string name = prumya::kDefaultPresetName;
  store.Set(kUserFile, name, "data00", "1000");
  config.LoadSettings(false);
  EXPECT_EQ(50, config.params[prumya::Margin]);  // default 64
  EXPECT_EQ(512, config.params[prumya::Length]);
  store.Set(kUserFile, name, "data00", "2");
  config.LoadSettings(false);
  EXPECT_EQ(4, config.params[prumya::Length]);
}

TEST_F(ConfigTest, UserFileWinsKeyByKey) {
  SetName("mix");
  store.Set(kSystemFile, "mix", "data05", "100");
  store.Set(kSystemFile, "mix", "data06", "7");
  store.Set(kUserFile, "mix", "data05", "30");
  store.Set(kUserFile, "MIX", "data01", "100000");  // the sentinel counts as absent
  store.Set(kSystemFile, "mix", "data01", "3");
  config.LoadSettings(false);
  EXPECT_EQ(30, config.params[prumya::HeadSpin]);
  EXPECT_EQ(7, config.params[prumya::TrailSpin]);
  EXPECT_EQ(3, config.params[prumya::Thickness]);
  EXPECT_EQ(64, config.params[prumya::Length]);
}

TEST_F(ConfigTest, ReadOnlyMarkIsDecidedByTheUserFileFirst) {
  store.Set(kSystemFile, "ro", "readonly", "1");
  EXPECT_TRUE(config.IsReadOnly("ro"));
  store.Set(kUserFile, "ro", "readonly", "0");
  EXPECT_FALSE(config.IsReadOnly("ro"));
  store.Set(kUserFile, "mine", "readonly", "1");
  EXPECT_TRUE(config.IsReadOnly("mine"));
}

TEST_F(ConfigTest, RandomValuesCommandReadsNoDataKey) {
  SetName("rnd");
  store.Set(kSystemFile, "rnd", "command", "2");
  store.Set(kSystemFile, "rnd", "data00", "100");
  qrx::Random mirror = rng;
  config.LoadSettings(true);
  EXPECT_FALSE(ReadAnyDataKey());
  EXPECT_EQ("rnd", Name());
  EXPECT_EQ(2, config.settings.command);
  for (int i = 0; i < kParamCount; ++i)
    EXPECT_EQ(mirror.Between(config.ranges[i].minimum, config.ranges[i].maximum, true),
              config.params[i]);
}

TEST_F(ConfigTest, CommandsAreNotCarriedOutWithoutApplyOrWhenUnknown) {
  SetName("rnd");
  store.Set(kSystemFile, "rnd", "command", "2");
  store.Set(kSystemFile, "rnd", "data00", "100");
  config.LoadSettings(false);
  EXPECT_EQ(100, config.params[prumya::Length]);
  store.Set(kSystemFile, "rnd", "command", "5");
  config.LoadSettings(true);
  EXPECT_EQ(100, config.params[prumya::Length]);
  EXPECT_EQ(5, config.settings.command);
}

TEST_F(ConfigTest, LongStoredNameIsCutAtACharacterBoundary) {
  const std::string kana = "ア";  // 83 41
  std::string name = "x";
  for (int i = 0; i < 16; ++i) name += kana;  // 33 bytes
  SetName(name);
  config.LoadSettings(false);
  EXPECT_EQ(name.substr(0, 31), Name());
  SetName(std::string(40, 'n'));
  config.LoadSettings(false);
  EXPECT_EQ(std::string(32, 'n'), Name());
}

