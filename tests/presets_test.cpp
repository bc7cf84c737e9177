#include <vector>

#include "tests/config_fixture.h"

using prumya::kParamCount;
using prumya_test::ConfigTest;
using prumya_test::kSettingsFile;
using prumya_test::kSystemFile;
using prumya_test::kUserFile;

namespace {

class PresetsTest : public ConfigTest {
 protected:
  // System file: A, B plain, C command 1; user file: B plain, D command 0.
  void StoreFourCandidates() {
    store.AddSection(kSystemFile, "A");
    store.Set(kSystemFile, "B", "data00", "10");
    store.Set(kSystemFile, "C", "command", "1");
    store.Set(kUserFile, "B", "data01", "2");
    store.Set(kUserFile, "D", "command", "0");
  }
  std::vector<std::string> KeysOf(const char* file, const std::string& section) const {
    std::vector<std::string> keys;
    if (const auto* s = store.FindSection(file, section))
      for (const auto& k : s->keys) keys.push_back(k.name + "=" + k.value);
    return keys;
  }
};

}  // namespace

TEST_F(PresetsTest, CandidatesArePlainPresetsSystemFileFirst) {
  StoreFourCandidates();
  const char* expected[] = {"A", "B", "B", "D"};
  qrx::Random mirror = rng;
  int last = -1;
  for (int i = 0; i < 20; ++i) {
    int r = mirror.Next() % 4;
    while (r == last) r = mirror.Next() % 4;
    EXPECT_FALSE(config.PickRandomPreset());
    EXPECT_EQ(expected[r], Name());
    EXPECT_EQ(r, config.lastPresetPick);
    last = r;
  }
}

TEST_F(PresetsTest, PicksNeverRepeatThePreviousPosition) {
  StoreFourCandidates();
  SetName("C");
  int previous = -1;
  for (int i = 0; i < 3; ++i) {  // F2 three times over a preset with command 1
    config.LoadSettings(true);
    EXPECT_EQ(1, config.settings.command);
    EXPECT_NE(previous, config.lastPresetPick);
    previous = config.lastPresetPick;
  }
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(PresetsTest, PickedPresetsValuesAreLoaded) {
  store.Set(kSystemFile, "pick", "command", "3");
  store.Set(kSystemFile, "only", "data00", "100");
  store.Set(kUserFile, "only", "data01", "3");
  SetName("pick");
  config.LoadSettings(true);
  EXPECT_EQ("only", Name());
  EXPECT_EQ(3, config.settings.command);  // the commanding preset's, kept
  EXPECT_EQ(100, config.params[prumya::Length]);
  EXPECT_EQ(3, config.params[prumya::Thickness]);
}

TEST_F(PresetsTest, NoCandidateKeepsTheNameAndOneIsTakenAgain) {
  store.Set(kSystemFile, "pick", "command", "1");
  SetName("pick");
  config.LoadSettings(true);  // the commanding preset is no candidate itself
  EXPECT_EQ("pick", Name());
  EXPECT_EQ(-1, config.lastPresetPick);

  store.AddSection(kUserFile, "sole");
  config.LoadSettings(true);
  EXPECT_EQ("sole", Name());
  EXPECT_EQ(0, config.lastPresetPick);
  config.LoadSettings(true);  // would wait forever for another position
  EXPECT_EQ("sole", Name());
}

TEST_F(PresetsTest, UserSectionWithCommandZeroMakesASystemPresetPlain) {
  store.Set(kSystemFile, "X", "command", "3");
  store.Set(kSystemFile, "X", "data02", "9");
  store.Set(kUserFile, "X", "command", "0");
  EXPECT_FALSE(config.PickRandomPreset());
  EXPECT_EQ("X", Name());
  config.LoadSettings(false);
  EXPECT_EQ(0, config.settings.command);
}

TEST_F(PresetsTest, OkWritesSettingsThenDataUnlessReadOnly) {
  config.settings.speedLimitMs = 20;
  config.settings.showClock = 1;
  std::strcpy(config.settings.presetName, "new");
  config.params[prumya::Length] = 100;
  config.WriteAfterOk();
  const std::vector<std::string> settingsKeys = {"name=new", "speed=20", "mouse=24",
                                                 "time=1",   "fps=0",    "color=0"};
  EXPECT_EQ(settingsKeys, KeysOf(kSettingsFile, "action"));
  const auto data = KeysOf(kUserFile, "new");
  ASSERT_EQ(12u, data.size());
  EXPECT_EQ("data00=100", data[0]);
  EXPECT_EQ("data11=0", data[11]);

  store.log.clear();
  store.Set(kSystemFile, "ro", "readonly", "1");
  std::strcpy(config.settings.presetName, "ro");
  config.WriteAfterOk();
  for (const auto& w : store.Writes()) EXPECT_EQ(kSettingsFile, w.file);
  EXPECT_EQ(6u, store.Writes().size());
}

TEST_F(PresetsTest, QuickSaveWritesOnlyTheTwelveDataKeys) {
  store.Set(kSystemFile, "???", "readonly", "1");  // not tested by the quick save
  config.params[prumya::Margin] = -7;
  config.WriteQuickPreset();
  const auto data = KeysOf(kUserFile, "???");
  ASSERT_EQ(12u, data.size());
  EXPECT_EQ("data08=-7", data[8]);
  EXPECT_EQ(nullptr, store.FindSection(kSettingsFile, "action"));
}

TEST_F(PresetsTest, DeletionLeavesTheSystemVersionInForce) {
  const std::string name = "both";
  store.Set(kSystemFile, name, "data00", "30");
  store.Set(kUserFile, name, "data00", "40");
  store.Set(kUserFile, "other", "data00", "50");
  config.DeletePreset("BOTH");
  config.WriteDefaultPresetName();
  EXPECT_EQ(nullptr, store.FindSection(kUserFile, name));
  ASSERT_NE(nullptr, store.FindSection(kUserFile, "other"));
  EXPECT_EQ(30, config.StoredValue("both", prumya::Length));
  EXPECT_EQ(prumya::kDefaultPresetName, *store.Find(kSettingsFile, "action", "name"));
}
