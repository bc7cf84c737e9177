// Settings and presets: the layered lookup, clamping, commands, the random
// choice and the writes, over files in memory read by the real INI rules.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "tests/config_fixture.h"

using prumya::kParamCount;
using prumya::kParamTable;
using prumya_test::ConfigTest;
using prumya_test::kSettingsFile;
using prumya_test::kSystemFile;
using prumya_test::kUserFile;

namespace {

std::string Adversarial(const char* name) {
  std::ifstream f(std::string(PRUMYA_SOURCE_DIR) + "/tests/fuzz/corpus/ini/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TEST(Random, RuntimeSequenceAndBounds) {
  qrx::Random rng;
  rng.Seed(1);
  for (int e : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(e, rng.Next());
  std::set<int> signs, lengths;
  for (int i = 0; i < 100000; ++i) {
    signs.insert(rng.Between(-1, 1, false));
    lengths.insert(rng.Between(4, 512, true));
  }
  EXPECT_EQ((std::set<int>{-1, 1}), signs);
  EXPECT_EQ(509u, lengths.size());
}

TEST_F(ConfigTest, NoFilesGiveTheDefaultsAndWriteNothing) {
  config.LoadSettings(true);
  EXPECT_EQ(prumya::kDefaultPresetName, Name());
  const auto& s = config.settings;
  EXPECT_EQ((std::vector<int>{0, 24, 0, 0, 0, 0}),
            (std::vector<int>{s.speedLimitMs, s.mouseThreshold, s.showClock, s.showFrameRate, s.fullColour, s.command}));
  for (int i = 0; i < kParamCount; ++i) EXPECT_EQ(kParamTable[i].defaultValue, config.params[i]);
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(ConfigTest, SettingsAreReadAndANegativeSpeedIsNone) {
  store.files[kSettingsFile] = "[action]\r\nname=Mine\r\nspeed=-20\r\nmouse=0\r\ntime=1\r\nfps=2\r\ncolor=3\r\n";
  config.LoadSettings(false);
  const auto& s = config.settings;
  EXPECT_EQ((std::vector<int>{0, 0, 1, 2, 3}),
            (std::vector<int>{s.speedLimitMs, s.mouseThreshold, s.showClock, s.showFrameRate, s.fullColour}));
  store.Set(kSettingsFile, "action", "speed", "20");
  config.LoadSettings(false);
  EXPECT_EQ(20, config.settings.speedLimitMs);
}

// Radius and amplitude follow the height, the margin the smaller side.
TEST_F(ConfigTest, ValuesAreClampedIntoTheScreenFittedRanges) {
  config.FitScreen(320, 200);
  EXPECT_EQ(50, config.ranges[prumya::Radius].maximum);
  EXPECT_EQ(50, config.ranges[prumya::WobbleAmplitude].maximum);
  EXPECT_EQ(50, config.ranges[prumya::Margin].maximum);
  config.FitScreen(160, 1000);
  EXPECT_EQ(250, config.ranges[prumya::Radius].maximum);
  EXPECT_EQ(40, config.ranges[prumya::Margin].maximum);
  config.FitScreen(320, 200);
  store.Set(kUserFile, prumya::kDefaultPresetName, "data00", "1000");
  config.LoadSettings(false);
  EXPECT_EQ(50, config.params[prumya::Margin]);  // default 64
  EXPECT_EQ(512, config.params[prumya::Length]);
  store.Set(kUserFile, prumya::kDefaultPresetName, "data00", "2");
  config.LoadSettings(false);
  EXPECT_EQ(4, config.params[prumya::Length]);
}

// Values of 100000 and more in the user file count as absent there.
TEST_F(ConfigTest, UserFileWinsKeyByKeyBelowItsSentinel) {
  SetName("mix");
  store.files[kSystemFile] = "[mix]\r\ndata05=100\r\ndata06=7\r\ndata01=3\r\ndata02=5\r\n";
  store.files[kUserFile] = "[MIX]\r\ndata05=30\r\ndata01=100000\r\ndata02=99999\r\n";
  config.LoadSettings(false);
  EXPECT_EQ(30, config.params[prumya::HeadSpin]);
  EXPECT_EQ(7, config.params[prumya::TrailSpin]);
  EXPECT_EQ(3, config.params[prumya::Thickness]);
  EXPECT_EQ(16, config.params[prumya::HeadMove]);  // 99999 is the user's, clamped
  EXPECT_EQ(64, config.params[prumya::Length]);
}

TEST_F(ConfigTest, HostileNumbersAndNamesStayInRange) {
  store.files[kUserFile] = Adversarial("huge_values.ini");
  SetName("A");
  config.LoadSettings(true);
  EXPECT_EQ(0, config.settings.command);              // 100000: absent
  EXPECT_EQ(2, config.params[prumya::ColourShift]);   // wraps to 1215752191: absent, default
  EXPECT_EQ(0, config.params[prumya::TrailSpin]);     // 2147483648 wraps negative: clamped
  EXPECT_EQ(1, config.params[prumya::TrailWobble]);   // "1e9" reads 1
  EXPECT_FALSE(config.IsReadOnly("A"));
  store.files[kSettingsFile] = Adversarial("lone_lead_bytes.ini");
  config.LoadSettings(false);
  EXPECT_EQ("A", Name());  // the lone lead byte at its end is dropped
  EXPECT_EQ(0, config.settings.speedLimitMs);
}

TEST_F(ConfigTest, ReadOnlyMarkIsDecidedByTheUserFileFirst) {
  store.Set(kSystemFile, "ro", "readonly", "1");
  EXPECT_TRUE(config.IsReadOnly("ro"));
  store.Set(kUserFile, "ro", "readonly", "0");
  EXPECT_FALSE(config.IsReadOnly("ro"));
  store.Set(kUserFile, "mine", "readonly", "1");
  EXPECT_TRUE(config.IsReadOnly("mine"));
}

TEST_F(ConfigTest, RandomValuesCoverEveryRangeAndReadNoDataKey) {
  store.files[kSystemFile] = "[rnd]\r\ncommand=2\r\ndata00=100\r\n";
  SetName("rnd");
  config.LoadSettings(true);
  for (const auto& a : store.log) EXPECT_NE(0, a.key.compare(0, 4, "data")) << a.key;
  EXPECT_EQ("rnd", Name());
  EXPECT_EQ(2, config.settings.command);
  std::vector<std::set<int>> seen(kParamCount);
  for (int n = 0; n < 3000; ++n) {
    EXPECT_TRUE(config.RandomizeParams());
    for (int i = 0; i < kParamCount; ++i) seen[i].insert(config.params[i]);
  }
  for (int i = 0; i < kParamCount; ++i) {
    EXPECT_EQ(config.ranges[i].minimum, *seen[i].begin()) << i;
    EXPECT_EQ(config.ranges[i].maximum, *seen[i].rbegin()) << i;
  }
}

TEST_F(ConfigTest, CommandsAreNotCarriedOutWithoutApplyOrWhenUnknown) {
  SetName("rnd");
  store.files[kSystemFile] = "[rnd]\r\ncommand=2\r\ndata00=100\r\n";
  config.LoadSettings(false);
  EXPECT_EQ(100, config.params[prumya::Length]);
  store.Set(kSystemFile, "rnd", "command", "5");
  config.LoadSettings(true);
  EXPECT_EQ(100, config.params[prumya::Length]);
  EXPECT_EQ(5, config.settings.command);
}

TEST_F(ConfigTest, LongStoredNameIsCutAtACharacterBoundary) {
  std::string name = "x";
  for (int i = 0; i < 16; ++i) name += "ア";  // 33 bytes
  SetName(name);
  config.LoadSettings(false);
  EXPECT_EQ(name.substr(0, 31), Name());
  SetName(std::string(40, 'n'));
  config.LoadSettings(false);
  EXPECT_EQ(std::string(32, 'n'), Name());
}

// System file: A, B plain, C command 1; user file: B plain, D command 0. The
// candidates are the plain presets by position, system file first.
TEST_F(ConfigTest, ChoiceTakesPlainPresetsAndNeverThePreviousPosition) {
  store.files[kSystemFile] = "[A]\r\n[B]\r\ndata00=10\r\n[C]\r\ncommand=1\r\n";
  store.files[kUserFile] = "[B]\r\ndata01=2\r\n[D]\r\ncommand=0\r\n";
  const char* byPosition[] = {"A", "B", "B", "D"};
  std::set<int> positions;
  for (int i = 0; i < 40; ++i) {
    const int previous = config.lastPresetPick;
    EXPECT_FALSE(config.PickRandomPreset());
    ASSERT_GE(config.lastPresetPick, 0);
    ASSERT_LT(config.lastPresetPick, 4);
    EXPECT_NE(previous, config.lastPresetPick);
    EXPECT_EQ(byPosition[config.lastPresetPick], Name());
    positions.insert(config.lastPresetPick);
  }
  EXPECT_EQ(4u, positions.size());
  SetName("C");  // what F2 does over a preset with command 1
  config.LoadSettings(true);
  EXPECT_EQ(1, config.settings.command);
  EXPECT_NE("C", Name());
  EXPECT_TRUE(store.Writes().empty());
}

TEST_F(ConfigTest, PickedPresetsValuesAreLoadedUnderTheCommandsNumber) {
  store.files[kSystemFile] = "[pick]\r\ncommand=3\r\n[only]\r\ndata00=100\r\n";
  store.files[kUserFile] = "[only]\r\ndata01=3\r\n";
  SetName("pick");
  config.LoadSettings(true);
  EXPECT_EQ("only", Name());
  EXPECT_EQ(3, config.settings.command);
  EXPECT_EQ(100, config.params[prumya::Length]);
  EXPECT_EQ(3, config.params[prumya::Thickness]);
}

TEST_F(ConfigTest, NoCandidateKeepsTheNameAndASoleOneIsTakenAgain) {
  store.Set(kSystemFile, "pick", "command", "1");
  SetName("pick");
  config.LoadSettings(true);  // the commanding preset is no candidate itself
  EXPECT_EQ("pick", Name());
  EXPECT_EQ(-1, config.lastPresetPick);
  store.AddSection(kUserFile, "sole");
  for (int i = 0; i < 2; ++i) {  // would wait forever for another position
    config.LoadSettings(true);
    EXPECT_EQ("sole", Name());
    EXPECT_EQ(0, config.lastPresetPick);
  }
}

TEST_F(ConfigTest, UserSectionWithCommandZeroMakesASystemPresetPlain) {
  store.files[kSystemFile] = "[X]\r\ncommand=3\r\ndata02=9\r\n";
  store.Set(kUserFile, "X", "command", "0");
  config.PickRandomPreset();
  EXPECT_EQ("X", Name());
  config.LoadSettings(false);
  EXPECT_EQ(0, config.settings.command);
}

// The names in the list's first 2046 bytes (the last one perhaps cut there),
// each cut to 32 bytes as the current name.
TEST_F(ConfigTest, ChoicesFromALongListComeFromItsFirst2048Bytes) {
  store.files[kSystemFile] = Adversarial("section_list.ini");
  const plat::ini::IniText text(store.files[kSystemFile]);  // the names point into it
  std::string list;
  for (std::string_view name : text.SectionNames())
    list.append(name).push_back('\0');
  list.resize(2046);
  std::set<std::string> allowed;
  for (std::size_t pos = 0, end; pos < list.size(); pos = end + 1) {
    end = std::min(list.find('\0', pos), list.size());
    allowed.insert(list.substr(pos, std::min(end - pos, std::size_t{32})));
  }
  for (int i = 0; i < 50; ++i) {
    config.PickRandomPreset();
    EXPECT_EQ(1u, allowed.count(Name())) << Name();
  }
}

TEST_F(ConfigTest, OkWritesSettingsThenDataUnlessReadOnly) {
  config.settings.speedLimitMs = 20;
  config.settings.showClock = 1;
  std::strcpy(config.settings.presetName, "new");
  config.params[prumya::Length] = 100;
  config.params[prumya::WobbleAmplitude] = -7;
  EXPECT_EQ(nullptr, config.WriteAfterOk());
  EXPECT_EQ((std::vector<std::string>{"name=new", "speed=20", "mouse=24", "time=1", "fps=0", "color=0"}),
            store.Keys(kSettingsFile, "action"));
  const auto data = store.Keys(kUserFile, "new");
  ASSERT_EQ(12u, data.size());
  EXPECT_EQ("data00=100", data[0]);
  EXPECT_EQ("data11=-7", data[11]);

  store.log.clear();
  store.Set(kSystemFile, "ro", "readonly", "1");
  std::strcpy(config.settings.presetName, "ro");
  EXPECT_EQ(nullptr, config.WriteAfterOk());
  EXPECT_EQ(6u, store.Writes().size());
  for (const auto& w : store.Writes()) EXPECT_EQ(kSettingsFile, w.file);
}

// Each file is tried; the first that fails is named, and keeps its bytes.
TEST_F(ConfigTest, FailedWritesNameTheirFileAndChangeNothing) {
  store.files[kUserFile] = "[new]\r\ndata00=1\r\n";
  std::strcpy(config.settings.presetName, "new");
  store.failWrites = true;
  EXPECT_STREQ(kSettingsFile, config.WriteAfterOk());
  EXPECT_STREQ(kUserFile, config.WriteQuickPreset());
  EXPECT_STREQ(kUserFile, config.DeletePreset("new"));
  EXPECT_STREQ(kSettingsFile, config.WriteDefaultPresetName());
  EXPECT_EQ(0u, store.files.count(kSettingsFile));
  EXPECT_EQ("[new]\r\ndata00=1\r\n", store.files[kUserFile]);
}

TEST_F(ConfigTest, QuickSaveWritesOnlyTheTwelveDataKeys) {
  store.Set(kSystemFile, "???", "readonly", "1");  // not tested by the quick save
  config.params[prumya::Margin] = -7;
  EXPECT_EQ(nullptr, config.WriteQuickPreset());
  const auto data = store.Keys(kUserFile, "???");
  ASSERT_EQ(12u, data.size());
  EXPECT_EQ("data08=-7", data[8]);
  EXPECT_EQ(0u, store.files.count(kSettingsFile));
}

TEST_F(ConfigTest, DeletionLeavesTheSystemVersionInForce) {
  store.Set(kSystemFile, "both", "data00", "30");
  store.files[kUserFile] = "[both]\r\ndata00=40\r\n[other]\r\ndata00=50\r\n";
  EXPECT_EQ(nullptr, config.DeletePreset("BOTH"));
  EXPECT_EQ(nullptr, config.WriteDefaultPresetName());
  EXPECT_EQ("[other]\r\ndata00=50\r\n", store.files[kUserFile]);
  EXPECT_EQ(30, config.StoredValue("both", prumya::Length));
  EXPECT_EQ(prumya::kDefaultPresetName, store.Find(kSettingsFile, "action", "name"));
}
