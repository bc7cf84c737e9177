// Hostile INI files under the saver's own operations: settings loading,
// random preset choice, quick save and deletion over the real file store.
// Each hostile file takes each of the three roles in turn beside two sane
// files; nothing may crash, values stay in range, the files not meant to be
// written keep every byte, and a written file keeps every other key. The
// small files live in tests/ini/adversarial; the large ones are made here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/ini/ini_store.h"
#include "platform/ini/ini_text.h"
#include "platform/ini/profile_rules.h"
#include "saver/config.h"
#include "tests/scratch_dir.h"

namespace fs = std::filesystem;
using prumya::kParamCount;

namespace {

const fs::path kAdversarialDir = fs::path(PRUMYA_SOURCE_DIR) / "tests" / "ini" / "adversarial";

enum Role { kSettings, kSystem, kUser, kRoleCount };
const char* const kRoleNames[] = {"settings", "system", "user"};

std::string ReadFile(const fs::path& path) {
  std::ifstream f(path, std::ios::binary | std::ios::ate);
  if (!f) return {};
  std::string bytes(static_cast<std::size_t>(f.tellg()), '\0');
  f.seekg(0);
  f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// The sane companions: "Pick" (command 1, in the user file so that it holds
// whatever the system file is) chooses among plain presets.
const std::string kSaneSettings =
    "[action]\r\nname=Pick\r\nspeed=20\r\nmouse=0\r\ntime=1\r\nfps=1\r\ncolor=0\r\n";
const std::string kSaneSystem =
    "[A]\r\ndata00=100\r\ndata01=2\r\n[Rand]\r\ncommand=2\r\n[RO]\r\nreadonly=1\r\n";
const std::string kSaneUser = "[Pick]\r\ncommand=1\r\n[B]\r\ndata01=3\r\n[A]\r\ndata02=5\r\n";

class HostileIni : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPath(config_.paths.settings, "prumya.ini");
    SetPath(config_.paths.systemPresets, "actsys.ini");
    SetPath(config_.paths.userPresets, "action.ini");
    config_.FitScreen(1024, 768);
  }
  void SetPath(char (&field)[prumya::kPathSize], const char* name) {
    const std::string path = (scratch_.Path() / name).string();
    ASSERT_LT(path.size(), sizeof(field));
    std::strcpy(field, path.c_str());
  }
  const char* PathOf(Role role) const {
    return role == kSettings ? config_.paths.settings
                             : role == kSystem ? config_.paths.systemPresets : config_.paths.userPresets;
  }
  void Put(Role role, const std::string& bytes) {
    scratch_.Write(fs::path(PathOf(role)).filename().string(), bytes);
  }
  std::string Get(Role role) const { return ReadFile(PathOf(role)); }
  bool Exists(Role role) const { return fs::exists(PathOf(role)); }

  // The hostile bytes in one role, the sane files in the others.
  void Arrange(Role hostile, const std::string& bytes) {
    Put(kSettings, hostile == kSettings ? bytes : kSaneSettings);
    Put(kSystem, hostile == kSystem ? bytes : kSaneSystem);
    Put(kUser, hostile == kUser ? bytes : kSaneUser);
  }

  void ExpectSaneState() {
    for (int i = 0; i < kParamCount; ++i) {
      EXPECT_GE(config_.params[i], config_.ranges[i].minimum) << "parameter " << i;
      EXPECT_LE(config_.params[i], config_.ranges[i].maximum) << "parameter " << i;
    }
    const char* name = config_.settings.presetName;
    ASSERT_LE(std::strlen(name), static_cast<std::size_t>(prumya::kPresetNameMax));
  }

  // Loading and choosing read only: all three files keep their bytes. With
  // picks < 0 only the load that carries out the command runs.
  void LoadAndPick(int picks) {
    const std::string before[] = {Get(kSettings), Get(kSystem), Get(kUser)};
    if (picks >= 0) {
      config_.LoadSettings(false);
      ExpectSaneState();
    }
    config_.LoadSettings(true);
    ExpectSaneState();
    for (int i = 0; i < picks; ++i) {
      EXPECT_FALSE(config_.PickRandomPreset());
      ExpectSaneState();
      EXPECT_LT(config_.lastPresetPick, 1024);
    }
    for (int r = 0; r < kRoleCount; ++r) EXPECT_TRUE(before[r] == Get(Role(r))) << kRoleNames[r] << " changed";
  }

  // F3: the user file gets "???" with the twelve values and keeps the rest;
  // the other two keep their bytes. A user file the store cannot read whole
  // (too large) is left alone.
  void QuickSave(bool userWritable = true) {
    const std::string settings = Get(kSettings), system = Get(kSystem), user = Get(kUser);
    config_.WriteQuickPreset();
    EXPECT_TRUE(settings == Get(kSettings)) << "settings file changed by a quick save";
    EXPECT_TRUE(system == Get(kSystem)) << "system file changed by a quick save";
    if (!userWritable) {
      EXPECT_TRUE(user == Get(kUser)) << "an unreadable user file was rewritten";
      return;
    }
    const plat::ini::IniText after(Get(kUser));
    for (int i = 0; i < kParamCount; ++i) {
      char key[8];
      prumya::FormatDataKey(key, i);
      auto v = after.FindValue(prumya::kQuickPresetName, key);
      ASSERT_TRUE(v.has_value()) << key;
      EXPECT_EQ(std::to_string(config_.params[i]), std::string(*v)) << key;
    }
    ExpectOtherKeysKept(user, after, prumya::kQuickPresetName, true);
  }

  // Deleting a preset removes its user section only; a user file the store
  // cannot read whole is left alone.
  void Delete(const std::string& name, bool userWritable = true) {
    const std::string settings = Get(kSettings), system = Get(kSystem), user = Get(kUser);
    const bool existed = Exists(kUser);
    const plat::ini::IniText before(user);
    config_.DeletePreset(name.c_str());
    EXPECT_TRUE(settings == Get(kSettings)) << "settings file changed by a deletion";
    EXPECT_TRUE(system == Get(kSystem)) << "system file changed by a deletion";
    EXPECT_EQ(existed, Exists(kUser));
    if (!userWritable || !before.HasSection(name)) {
      EXPECT_TRUE(user == Get(kUser)) << "deleting [" << name << "] changed the user file";
      return;
    }
    const plat::ini::IniText after(Get(kUser));
    EXPECT_FALSE(after.HasSection(name));
    ExpectOtherKeysKept(user, after, name, false);
  }

  // The file differs from before only inside the written section: with
  // every section of that name cut out of both, the bytes are the same, but
  // for the line break a new section appended to an unterminated last line
  // needs. For a quick save the other keys of that section read as before.
  void ExpectOtherKeysKept(const std::string& beforeBytes, const plat::ini::IniText& after,
                           const std::string& section, bool dataKeysOnly) {
    const plat::ini::IniText before(beforeBytes);
    const std::string was = before.WithoutSection(section), now = after.WithoutSection(section);
    const bool unterminated = !was.empty() && was.back() != '\n' && was.back() != '\r';
    EXPECT_TRUE(now == was || (unterminated && now.size() > was.size() && now.compare(0, was.size(), was) == 0 &&
                               now.find_first_not_of("\r\n", was.size()) == std::string::npos))
        << "bytes outside [" << section << "] changed";
    if (!dataKeysOnly) return;
    for (std::string_view key : before.KeyNames(section)) {
      if (key.size() == 6 && key.compare(0, 4, "data") == 0) continue;
      auto v0 = before.FindValue(section, key), v1 = after.FindValue(section, key);
      EXPECT_EQ(v0 ? std::string(*v0) : "<missing>", v1 ? std::string(*v1) : "<missing>") << key;
    }
  }

  // The whole run over one hostile file in every role. A light run (for
  // files of megabytes, each read of which costs) loads, picks, saves and
  // deletes once.
  void ExerciseInEveryRole(const std::string& bytes, bool light = false, bool storeReadsIt = true) {
    for (int r = 0; r < kRoleCount; ++r) {
      SCOPED_TRACE(kRoleNames[r]);
      Arrange(Role(r), bytes);
      LoadAndPick(light ? -1 : 3);
      QuickSave(storeReadsIt || r != kUser);
      if (!light) QuickSave(storeReadsIt || r != kUser);  // the second save rewrites the same section
      const plat::ini::IniText user(Get(kUser));
      const std::vector<std::string_view> names = user.SectionNames();
      Delete(names.empty() ? std::string("B") : std::string(names.front()), storeReadsIt || r != kUser);
      if (light) continue;
      Delete(prumya::kQuickPresetName);
      Delete("no such preset");
      LoadAndPick(1);
    }
  }

  void ExpectDefaultSettings() {
    EXPECT_STREQ(prumya::kDefaultPresetName, config_.settings.presetName);
    EXPECT_EQ(0, config_.settings.speedLimitMs);
    EXPECT_EQ(24, config_.settings.mouseThreshold);
    EXPECT_EQ(0, config_.settings.showClock);
    EXPECT_EQ(0, config_.settings.showFrameRate);
    EXPECT_EQ(0, config_.settings.fullColour);
  }

  testutil::ScratchDir scratch_{"hostile-ini"};
  plat::IniStore store_;
  qrx::Random rng_;
  prumya::SaverConfig config_{store_, rng_};
};

// --- Generated files -------------------------------------------------------

std::string TenThousandSections() {
  std::string s;
  char line[64];
  for (int i = 0; i < 10000; ++i) {
    std::snprintf(line, sizeof line, "[preset%05d]\r\ndata00=%d\r\n%s", i, 4 + i % 500,
                  i % 3 == 0 ? "command=1\r\n" : "");
    s += line;
  }
  return s;
}

// Lines of 100 kB: a comment, a value, a key name and a section name.
std::string HundredKilobyteLines() {
  const std::string big(100000, '7');
  return "; " + std::string(100000, 'c') + "\r\n[A]\r\ndata00=" + big + "\r\n" + std::string(100000, 'k') +
         "=1\r\ndata01=" + std::string(100000, ' ') + "3\r\n[" + std::string(100000, 'S') +
         "]\r\ndata02=9\r\n[action]\r\nname=" + big + "\r\n";
}

#ifndef _WIN32  // megabytes: slow under Wine, and the store is the same code
// Sections of a real shape between long comments, about `bytes` in all.
// Their names are long, so that few fit in a 2048-byte section list and a
// random choice reads the file a bounded number of times.
std::string LargeFile(std::size_t bytes) {
  std::string s = "[action]\r\nname=A\r\nspeed=5\r\n[A]\r\ndata00=99\r\n";
  const std::string filler = "; " + std::string(1000, 'f') + "\r\n";
  const std::string longName(200, 'L');
  for (int i = 0; s.size() < bytes; ++i) {
    s += "[" + longName + std::to_string(i) + "]\r\ndata00=" + std::to_string(i) + "\r\n";
    for (int j = 0; j < 200; ++j) s += filler;
  }
  return s;
}
#endif

}  // namespace

// --- Every hostile file in every role ---------------------------------------

TEST_F(HostileIni, CheckedInFilesInEveryRole) {
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(kAdversarialDir)) {
    if (entry.path().extension() != ".ini") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ExerciseInEveryRole(ReadFile(entry.path()));
    ++count;
  }
  EXPECT_GE(count, 7u);
}

TEST_F(HostileIni, TenThousandSectionsAndHundredKilobyteLines) {
  {
    SCOPED_TRACE("10000 sections");
    ExerciseInEveryRole(TenThousandSections(), /*light=*/true);
  }
  {
    SCOPED_TRACE("100 kB lines");
    ExerciseInEveryRole(HundredKilobyteLines());
  }
}

#ifndef _WIN32
TEST_F(HostileIni, HugeFilesInEveryRole) {
  {
    SCOPED_TRACE("6 MB, within the store's limit");
    ExerciseInEveryRole(LargeFile(6u << 20), /*light=*/true);
  }
  {
    SCOPED_TRACE("24 MB, beyond it: reads as missing, never rewritten");
    ExerciseInEveryRole(LargeFile(24u << 20), /*light=*/true, /*storeReadsIt=*/false);
  }
}
#endif

// --- What the rules make of them ---------------------------------------------

TEST_F(HostileIni, UnreadableSettingsFilesGiveTheDefaults) {
  for (const char* file : {"empty.ini", "junk.ini", "section_list.ini"}) {
    SCOPED_TRACE(file);
    Arrange(kSettings, ReadFile(kAdversarialDir / file));
    config_.LoadSettings(false);
    ExpectDefaultSettings();
  }
  fs::remove(PathOf(kSettings));
  config_.LoadSettings(false);
  ExpectDefaultSettings();
}

#ifndef _WIN32
TEST_F(HostileIni, OversizedSettingsFileReadsAsMissing) {
  Arrange(kSettings, LargeFile(24u << 20));
  config_.LoadSettings(false);
  ExpectDefaultSettings();
}
#endif

TEST_F(HostileIni, BrokenShiftJisAndNulBytesEndNames) {
  Arrange(kSettings, ReadFile(kAdversarialDir / "broken_sjis.ini"));
  config_.LoadSettings(false);
  EXPECT_STREQ("A", config_.settings.presetName);  // the lone lead byte is dropped
  EXPECT_EQ(0, config_.settings.speedLimitMs);      // "\x81" is no number
  EXPECT_EQ(100, config_.params[prumya::Length]);   // preset A of the system file

  Arrange(kSettings, ReadFile(kAdversarialDir / "nul_lines.ini"));
  config_.LoadSettings(false);
  EXPECT_STREQ("A", config_.settings.presetName);
  EXPECT_EQ(0, config_.settings.speedLimitMs);     // "spe" is not "speed"
  EXPECT_EQ(24, config_.settings.mouseThreshold);  // the value is empty before its NUL

  // As the user file: [A\0B] is the section "A", so its data00 of 200 (cut
  // at the NUL) overrides the system file's 100.
  Arrange(kUser, ReadFile(kAdversarialDir / "nul_lines.ini"));
  Put(kSettings, "[action]\r\nname=A\r\n");
  config_.LoadSettings(false);
  EXPECT_EQ(200, config_.params[prumya::Length]);
}

TEST_F(HostileIni, ValuesOfOneHundredThousandAndBeyondInTheUserFile) {
  Arrange(kUser, ReadFile(kAdversarialDir / "huge_values.ini"));
  Put(kSettings, "[action]\r\nname=A\r\n");
  config_.LoadSettings(true);
  EXPECT_EQ(0, config_.settings.command);            // command=100000 counts as absent
  EXPECT_EQ(100, config_.params[prumya::Length]);    // 100000: the system file's value
  EXPECT_EQ(2, config_.params[prumya::Thickness]);   // 100001: likewise
  EXPECT_EQ(16, config_.params[prumya::HeadMove]);   // 99999 is the user's, clamped
  EXPECT_EQ(0, config_.params[prumya::TrailMove]);   // -5, clamped
  EXPECT_EQ(2, config_.params[prumya::ColourShift]); // wraps to 1215752191: absent, default
  EXPECT_EQ(0, config_.params[prumya::HeadSpin]);    // wraps to -1215752191: clamped
  EXPECT_EQ(0, config_.params[prumya::TrailSpin]);   // 2147483648 wraps negative: clamped
  EXPECT_EQ(40, config_.params[prumya::Radius]);     // 0x7FFFFFFF: absent, default
  EXPECT_EQ(64, config_.params[prumya::Margin]);     // -2147483649 wraps to 2147483647: absent
  EXPECT_EQ(0, config_.params[prumya::HeadWobble]);  // 4294967296 wraps to 0
  EXPECT_EQ(1, config_.params[prumya::TrailWobble]); // "1e9" reads 1
  EXPECT_EQ(0, config_.params[prumya::WobbleAmplitude]);  // "\"100000\"" unquoted: absent
  EXPECT_FALSE(config_.IsReadOnly("A"));             // readonly=100000 counts as absent
}

TEST_F(HostileIni, LongNamesAreCutToThirtyTwoBytes) {
  Arrange(kSettings, ReadFile(kAdversarialDir / "long_names.ini"));
  config_.LoadSettings(false);
  EXPECT_EQ(std::string(32, 'N'), config_.settings.presetName);
  // Its preset lies in the settings file, which holds no presets: defaults.
  EXPECT_EQ(64, config_.params[prumya::Length]);

  Arrange(kSystem, ReadFile(kAdversarialDir / "long_names.ini"));
  Put(kSettings, "[action]\r\nname=" + std::string(32, 'N') + "\r\n");
  config_.LoadSettings(false);
  EXPECT_EQ(11, config_.params[prumya::HeadMove]);
}

TEST_F(HostileIni, ChoicesFromLongListsComeFromTheirFirst2048Bytes) {
  const std::string system = ReadFile(kAdversarialDir / "section_list.ini");
  Arrange(kSystem, system);
  // The names in the list's first 2046 bytes (the last one perhaps cut
  // there), each cut to 32 bytes as the current name; the sane user file
  // adds B and A.
  std::set<std::string> allowed = {"B", "A"};
  std::string list;
  const plat::ini::IniText text(system);
  for (std::string_view name : text.SectionNames()) list.append(name).push_back('\0');
  list.resize(2046);
  list.push_back('\0');
  for (std::size_t pos = 0, end; pos < list.size(); pos = end + 1) {
    end = list.find('\0', pos);
    allowed.insert(list.substr(pos, std::min(end - pos, std::size_t{32})));
  }
  for (int i = 0; i < 50; ++i) {
    config_.LoadSettings(true);
    EXPECT_EQ(1u, allowed.count(config_.settings.presetName)) << config_.settings.presetName;
    EXPECT_EQ(1, config_.settings.command);
  }
}

TEST_F(HostileIni, DeletingFromAMissingUserFileCreatesNothing) {
  Arrange(kSystem, kSaneSystem);
  fs::remove(PathOf(kUser));
  Delete("A");
  EXPECT_FALSE(Exists(kUser));
}

// --- Names the store must refuse to write -----------------------------------

TEST(IniHostileNames, NewSectionEndingInALoneLeadByteIsRefused) {
  // "[x\x81]" would read as no header (0x81 0x5D is one character), and the
  // key under it would join the section before.
  const plat::ini::IniText text("[a]\r\nk=1\r\n");
  std::string out;
  EXPECT_EQ(plat::ini::WriteOutcome::kRefused, plat::ini::ApplyWrite(text, "x\x81", "k", "2", out));
  EXPECT_EQ(plat::ini::WriteOutcome::kRefused, plat::ini::ApplyWrite(text, "x\x81 ", "k", "2", out));
  // A complete character at the end is fine, and so is an existing section
  // of that name (its header is already there).
  EXPECT_EQ(plat::ini::WriteOutcome::kChanged, plat::ini::ApplyWrite(text, "x\x81\x40", "k", "2", out));
  const plat::ini::IniText existing("[x\x81 ]\r\nk=1\r\n");
  ASSERT_EQ(plat::ini::WriteOutcome::kChanged, plat::ini::ApplyWrite(existing, "x\x81", "k", "2", out));
  EXPECT_EQ("2", std::string(*plat::ini::IniText(out).FindValue("x\x81", "k")));
}

TEST(IniHostileNames, WhiteSpaceBeforeANulIsTrimmed) {
  // Names and values end at a NUL; what is left is trimmed, so a listed
  // section can be found by its listed name.
  const char raw[] = "[Bo\x1a\0junk]\r\nk \0x=v \0y\r\n";
  const plat::ini::IniText text(std::string(raw, sizeof raw - 1));
  ASSERT_EQ(1u, text.SectionNames().size());
  EXPECT_EQ("Bo", std::string(text.SectionNames()[0]));
  EXPECT_TRUE(text.HasSection("Bo"));
  auto v = text.FindValue("Bo", "k");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ("v", std::string(*v));
}
