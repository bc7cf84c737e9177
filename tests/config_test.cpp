// Settings and presets: the layered lookup, clamping, commands, the random
// choice and the writes, over files in memory read by the real INI rules.
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "tests/config_fixture.h"

using prumya::kParamCount;
using prumya_test::ConfigTest;
using prumya_test::Ini;
using prumya_test::kSettingsFile;
using prumya_test::kSystemFile;
using prumya_test::kUserFile;

namespace {

std::string Adversarial(const char* name) {
  std::ifstream f(std::string(PRUMYA_SOURCE_DIR) + "/tests/fuzz/corpus/ini/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// The settings file naming the current preset.
std::string Named(const std::string& name) { return Ini("[action]|name=" + name); }

}  // namespace

// One load from the three files' text, with or without carrying out the
// current preset's command, done twice with the same outcome and no write.
struct LoadCase {
  const char* what;
  std::string settings, system, user;
  bool apply;
  std::string name;
  int command;
  std::vector<std::pair<int, int>> params;
  bool picks = false;  // a candidate is taken
  std::pair<int, int> screen{1024, 768};
  std::vector<int> values{0, 24, 0, 0, 0};  // speed, mouse, time, fps, color
};

TEST_F(ConfigTest, LoadsReadClampAndCarryOutCommands) {
  using namespace prumya;
  const std::string def = kDefaultPresetName;
  std::string longName = "x";
  for (int i = 0; i < 16; ++i) longName += "ア";  // 33 bytes
  const LoadCase loads[] = {
      {"nothing", "", "", "", true, def, 0, {}},
      {"settings", Ini("[action]|name=Mine|speed=-20|mouse=0|time=1|fps=2|color=3"), "", "", false, "Mine", 0, {},
       false, {1024, 768}, {0, 0, 1, 2, 3}},
      {"user file key by key below 100000", Named("mix"), Ini("[mix]|data05=100|data06=7|data01=3|data02=5"),
       Ini("[MIX]|data05=30|data01=100000|data02=99999"), false, "mix", 0,
       {{HeadSpin, 30}, {TrailSpin, 7}, {Thickness, 3}, {HeadMove, 16}, {Length, 64}}},
      // 100000 and wrapped values are absent, 2147483648 wraps negative, "1e9" reads 1
      {"hostile numbers", Named("A"), "", Adversarial("huge_values.ini"), true, "A", 0,
       {{ColourShift, 2}, {TrailSpin, 0}, {TrailWobble, 1}}},
      // a lone lead byte ending the name is dropped, and a speed of one reads 0
      {"lone lead bytes", Adversarial("lone_lead_bytes.ini"), "", "", false, "A", 0, {}},
      {"long name", Named(longName), "", "", false, longName.substr(0, 31), 0, {}},
      {"long name", Named(std::string(40, 'n')), "", "", false, std::string(32, 'n'), 0, {}},
      {"small screen", "", "", Ini("[" + def + "]|data00=1000"), false, def, 0, {{Margin, 50}, {Length, 512}}, false,
       {320, 200}},
      {"unknown command", Named("rnd"), Ini("[rnd]|command=5|data00=100"), "", true, "rnd", 5, {{Length, 100}}},
      {"picked preset's values", Named("pick"), Ini("[pick]|command=3|[only]|data00=100"), Ini("[only]|data01=3"),
       true, "only", 3, {{Length, 100}, {Thickness, 3}}, true},
      {"no candidate", Named("pick"), Ini("[pick]|command=1"), "", true, "pick", 1, {}},
      {"sole candidate, twice", Named("pick"), Ini("[pick]|command=1"), Ini("[sole]"), true, "sole", 1, {}, true},
      {"user's command 0 makes a preset plain", Named("R"), Ini("[R]|command=1|[X]|command=3|data02=9"),
       Ini("[X]|command=0"), true, "X", 1, {{HeadMove, 9}}, true},
  };
  for (const LoadCase& l : loads) {
    SCOPED_TRACE(l.what);
    store = fake::FakeProfileStore();
    for (const auto& [file, text] : {std::pair{kSettingsFile, &l.settings}, {kSystemFile, &l.system}, {kUserFile, &l.user}})
      if (!text->empty()) store.files[file] = *text;
    config.lastPresetPick = -1;
    config.FitScreen(l.screen.first, l.screen.second);
    for (int round = 0; round < 2; ++round) {
      config.LoadSettings(l.apply);
      EXPECT_EQ(l.name, Name());
      const auto& s = config.settings;
      EXPECT_EQ(l.values, (std::vector<int>{s.speedLimitMs, s.mouseThreshold, s.showClock, s.showFrameRate,
                                            s.fullColour}));
      EXPECT_EQ(l.command, s.command);
      for (const auto& [index, value] : l.params) EXPECT_EQ(value, config.params[index]) << index;
      EXPECT_EQ(l.picks, config.lastPresetPick >= 0);
    }
    EXPECT_TRUE(store.Writes().empty());
  }
}

TEST_F(ConfigTest, RandomValuesCoverEveryRangeAndReadNoDataKey) {
  store.files[kSystemFile] = "[rnd]\r\ncommand=2\r\ndata00=100\r\n";
  SetName("rnd");
  config.LoadSettings(true);
  for (const auto& a : store.log) EXPECT_NE(0, a.key.compare(0, 4, "data")) << a.key;
  std::vector<std::set<int>> seen(kParamCount);
  for (int n = 0; n < 3000; ++n) {
    EXPECT_TRUE(config.RandomizeParams());
    for (int i = 0; i < kParamCount; ++i) seen[i].insert(config.params[i]);
  }
  for (int i = 0; i < kParamCount; ++i)
    EXPECT_EQ(std::make_pair(config.ranges[i].minimum, config.ranges[i].maximum),
              std::make_pair(*seen[i].begin(), *seen[i].rbegin())) << i;
}

// The candidates come from the name list's first 2046 bytes: names of 60
// bytes and their ends, the first not plain and the 34th cut short; the one
// taken is cut to 32 bytes.
TEST_F(ConfigTest, ChoicesFromALongListComeFromItsFirst2048Bytes) {
  store.files[kSystemFile] = Adversarial("section_list.ini");
  std::set<int> picked;
  for (int i = 0; i < 200; ++i) {
    config.PickRandomPreset();
    ASSERT_EQ("preset-", Name().substr(0, 7));
    ASSERT_EQ(32u, Name().size());
    picked.insert(std::stoi(Name().substr(7, 3)));
  }
  EXPECT_EQ((std::pair<int, int>{1, 33}), (std::pair<int, int>{*picked.begin(), *picked.rbegin()}));
}

// OK writes the settings, then the data; the quick save writes only the
// data, read-only or not. Deletion leaves the system file's version in
// force. A failed write names its file, the first that fails when both are
// tried, and keeps its bytes.
TEST_F(ConfigTest, WritesDeletionAndFailedWrites) {
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
  store.Set(kSystemFile, "???", "readonly", "1");
  EXPECT_EQ(nullptr, config.WriteQuickPreset());
  EXPECT_EQ(12u, store.Writes().size());
  EXPECT_EQ(data, store.Keys(kUserFile, "???"));

  store.Set(kSystemFile, "new", "data00", "30");
  EXPECT_EQ(nullptr, config.DeletePreset("NEW"));
  EXPECT_TRUE(store.Keys(kUserFile, "new").empty());
  EXPECT_EQ(data, store.Keys(kUserFile, "???"));
  EXPECT_EQ(30, config.StoredValue("new", prumya::Length));
  const std::string settings = store.files[kSettingsFile], user = store.files[kUserFile];
  store.failWrites = true;
  EXPECT_STREQ(kSettingsFile, config.WriteAfterOk());
  EXPECT_STREQ(kUserFile, config.WriteQuickPreset());
  EXPECT_STREQ(kUserFile, config.DeletePreset("???"));
  EXPECT_STREQ(kSettingsFile, config.WriteDefaultPresetName());
  EXPECT_EQ(settings, store.files[kSettingsFile]);
  EXPECT_EQ(user, store.files[kUserFile]);
}
