// The INI store: integers, in-place edits and the writes refused, and the
// file layer (round trips, atomic replacement, edit sessions) in a scratch
// directory. The read rules (defaults, quotes, cuts of values and lists at
// every buffer size) are the differential check's against kernel32
// (tests/ini) and the fuzz checker's on every known input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ini/ini_store.h"
#include "platform/ini/ini_text.h"
#include "platform/ini/profile_rules.h"
#include "tests/scratch_dir.h"

namespace fs = std::filesystem;
using plat::ini::IniText;
using plat::ini::WriteOutcome;

namespace {

// Every setting is read as an integer: signs, prefixes, wrapping, junk.
TEST(ProfileRules, IntegersAsGetPrivateProfileIntReadsThem) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"  -17  ", -17}, {"+8", 8},  {"0x10", 16},   {"0X1F", 0},     {"-0x10", -16},  {"0xFFFFFFFF", -1},
      {"99999999999", 1215752191},  {"- 5", 0},     {"3.9", 3},      {"\"42\"", 42},  {"0b101", 5},
      {"0o17", 15},     {"0042", 42}, {"", -99},    {"   ", -99},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.second, plat::ini::ReadInt(IniText(std::string("[i]\r\nk=") + c.first + "\r\n"), "i", "k", -99))
        << c.first;
  }
  EXPECT_EQ(7, plat::ini::ReadInt(IniText("[i]\r\n"), "i", "missing", 7));
}

TEST(IniTextEdit, EditsKeepEveryOtherByteAndTheFilesLineBreaks) {
  const std::string original =
      "; hand-written\r\n[action]\r\nname=old\r\n  speed =  20 ; why\r\n\r\n; about other\r\n[other]\nk=v";
  IniText text(original);
  EXPECT_EQ("; hand-written\r\n[action]\r\nname=old\r\n  speed =  0\r\n\r\n; about other\r\n[other]\nk=v",
            text.WithValue("ACTION", "Speed", "0"));
  // A new key follows the section's last entry, before its trailing comment.
  EXPECT_EQ("; hand-written\r\n[action]\r\nname=old\r\n  speed =  20 ; why\r\nfps=1\r\n\r\n; about other\r\n"
            "[other]\nk=v",
            text.WithValue("action", "fps", "1"));
  // The last line had no line break; a new section starts on a line of its own.
  EXPECT_EQ(original + "\r\n[new]\r\nkey=val\r\n", text.WithValue(" new ", "key ", "val"));
  EXPECT_EQ(original, text.WithValue("action", "name", "old"));
  IniText lf("[s]\nk=v\n");
  EXPECT_EQ("[s]\nk=v\nk2=v2\n", lf.WithValue("s", "k2", "v2"));
  EXPECT_EQ("[s]\nk=v\n[t]\nk=v\n", lf.WithValue("t", "k", "v"));
  EXPECT_EQ("[s]\r\nk=v\r\n", IniText("").WithValue("s", "k", "v"));
  EXPECT_EQ("[s]\rk=v\r", IniText("[s]\r").WithValue("s", "k", "v"));
  EXPECT_EQ("[s]\nk=v\n", IniText("[s]\nk\n").WithValue("s", "k", "v"));  // a key without '=' gets one
}

// Refused: a null section, line breaks, '=' in a key, a key that reads as a
// header, a new section ending in a lone lead byte ("[x\x81]" would read as
// no header); an existing one of that name is fine.
TEST(ProfileRules, WritesThatWouldBreakTheFileAreRefused) {
  IniText text("[s]\r\nk=v\r\n[x\x81 ]\r\n");
  std::string out;
  const auto apply = [&](const char* s, const char* k, const char* v) { return plat::ini::ApplyWrite(text, s, k, v, out); };
  EXPECT_EQ(WriteOutcome::kRefused, apply(nullptr, "k", "v"));
  EXPECT_EQ(WriteOutcome::kRefused, apply("s", "k", "a\r\nb=2"));
  EXPECT_EQ(WriteOutcome::kRefused, apply("s", "a=b", "v"));
  EXPECT_EQ(WriteOutcome::kRefused, apply("s", "[t]", "v"));
  EXPECT_EQ(WriteOutcome::kRefused, apply("y\x81", "k", "2"));
  EXPECT_EQ(WriteOutcome::kRefused, apply("y\x81 ", "k", "2"));
  EXPECT_EQ(WriteOutcome::kChanged, apply("y\x81\x40", "k", "2"));
  EXPECT_EQ(WriteOutcome::kChanged, apply("x\x81", "k", "2"));
  EXPECT_EQ("2", std::string(*IniText(out).FindValue("x\x81", "k")));
  EXPECT_EQ(WriteOutcome::kUnchanged, apply("s", "k", "v"));
  EXPECT_EQ(WriteOutcome::kUnchanged, apply("t", nullptr, nullptr));
  EXPECT_EQ(WriteOutcome::kChanged, apply("s", nullptr, "ignored"));
  EXPECT_EQ("[x\x81 ]\r\n", out);
}

// One step of a file scenario and what it must answer: 'w' writes (1 taken,
// 0 refused), 'i' reads an integer (default -1), 's' a string (default
// `value`: the length and the text), 'b' and 'c' begin and commit an edit session, 'd' lists the directory (every
// file's name and bytes).
struct Step {
  char op;
  std::string want;
  const char *section = nullptr, *key = nullptr, *value = nullptr;
};

std::string Do(plat::IniStore& store, const testutil::ScratchDir& dir, const char* file, const Step& s) {
  char buffer[64];
  switch (s.op) {
    case 'w': return std::to_string(store.WriteString(s.section, s.key, s.value, file));
    case 'i': return std::to_string(store.GetInt(s.section, s.key, -1, file));
    case 's':
      return std::to_string(store.GetString(s.section, s.key, s.value, buffer, sizeof buffer, file)) + " " + buffer;
    case 'b': return store.BeginEdit(file), "";
    case 'c': return std::to_string(store.CommitEdit());
  }
  std::string all;
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    all += entry.path().filename().string() + ":" + dir.Read(entry.path().filename().string());
  return all;
}

// Plays the steps on `name` in a directory of their own, the file holding
// `before` unless that is empty.
void Play(const char* name, const std::string& before, const std::vector<Step>& steps,
          std::size_t limit = plat::IniStore::kDefaultMaxFileBytes) {
  testutil::ScratchDir dir("ini-store");
  const std::string file = before.empty() ? dir.File(name) : dir.Write(name, before);
  plat::IniStore store(limit);
  for (std::size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(steps[i].want, Do(store, dir, file.c_str(), steps[i])) << "step " << i;
}

TEST(IniStoreFiles, WritesReadBackAndReplaceTheFileWhole) {
  const char* const s = "* ぷるみゅら";
  Play("action.ini", "",
       {{'w', "1", s, "data00", "64"}, {'w', "1", "???", "data01", "-3"}, {'w', "1", s, "DATA00", "65"},
        {'i', "65", s, "data00"},
        {'d', "action.ini:[* ぷるみゅら]\r\ndata00=65\r\n[???]\r\ndata01=-3\r\n"},
        {'w', "1", s}, {'s', "2 -3", "???", "Data01", "x"}, {'d', "action.ini:[???]\r\ndata01=-3\r\n"}});
}

TEST(IniStoreFiles, MissingFilesReadAsEmptyAndDeletingMakesNoFile) {
  Play("absent.ini", "",
       {{'s', "3 def", "s", "k", "\"def\""}, {'i', "-1", "s", "k"}, {'w', "1", "s"}, {'w', "1", "s", "k"},
        {'w', "0", nullptr, "k", "v"}, {'d', ""}});
  Play("no-such-dir/x.ini", "", {{'w', "0", "s", "k", "v"}});
  EXPECT_FALSE(plat::IniStore().WriteString("s", "k", "v", nullptr));
}

// A save is one replacement: the writes of an edit session reach the file
// together at the commit or, when one of them is refused, not at all; reads
// see the session.
TEST(IniStoreFiles, EditSessionReplacesTheFileOnceOrLeavesIt) {
  Play("action.ini", "; kept\r\n[p]\r\ndata00=1\r\n",
       {{'b', ""}, {'w', "1", "p", "data00", "2"}, {'w', "1", "q", "data01", "3"}, {'i', "3", "q", "data01"},
        {'d', "action.ini:; kept\r\n[p]\r\ndata00=1\r\n"}, {'c', "1"},
        {'b', ""}, {'w', "1", "p", "data00", "4"}, {'w', "0", "p", "bad\nkey", "5"}, {'c', "0"},
        {'d', "action.ini:; kept\r\n[p]\r\ndata00=2\r\n[q]\r\ndata01=3\r\n"}, {'i', "2", "p", "data00"}, {'c', "0"}});
}

#ifndef _WIN32
TEST(IniStoreFiles, ReplacedFilesKeepTheirPermissions) {
  testutil::ScratchDir dir("ini-mode");
  const std::string file = dir.Write("prumya.ini", "[s]\r\nk=1\r\n");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
  fs::permissions(file, mode);
  ASSERT_TRUE(plat::IniStore().WriteString("s", "k", "2", file.c_str()));
  EXPECT_EQ(mode, fs::status(file).permissions());
}
#endif

TEST(IniStoreFiles, OversizedFilesReadAsMissingAndAreNeverRewritten) {
  const std::string big = "[s]\r\nk=v\r\n" + std::string(100, ';') + "\r\n";
  Play("big.ini", big,
       {{'i', "-1", "s", "k"}, {'w', "0", "s", "k", "w"}, {'b', ""}, {'w', "0", "s", "k", "w"}, {'c', "0"},
        {'d', "big.ini:" + big}},
       64);
}

}  // namespace
