// The INI store: the read rules over text in memory that the differential
// check against kernel32 (tests/ini) leaves to us, in-place edits, and the
// file layer (round trips, atomic replacement, edit sessions) in a scratch
// directory.
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

// ReadString's result and the buffer's first `size` bytes; the bytes behind
// the buffer must stay untouched.
std::pair<std::uint32_t, std::string> ReadWith(const IniText& text, const char* section, const char* key,
                                               const char* def, std::uint32_t size) {
  std::vector<char> buffer(size + 8, '\x7F');
  const std::uint32_t n = plat::ini::ReadString(text, section, key, def, buffer.data(), size);
  EXPECT_EQ(std::string(8, '\x7F'), std::string(buffer.data() + size, 8)) << "written past the buffer";
  return {n, std::string(buffer.data(), size)};
}

std::string Value(const IniText& text, const char* section, const char* key) {
  return ReadWith(text, section, key, "<default>", 256).second.c_str();
}

// Cuts at characters inside the buffer are the fuzz checker's; these are the
// rules it takes from the lookups: defaults, and lists exactly as full as
// their buffer counting as too small.
TEST(ProfileRules, DefaultsAndListCuts) {
  IniText text("[General]\r\n[Second]\r\n[Third]\r\n");
  using Read = std::pair<std::uint32_t, std::string>;
  EXPECT_EQ(Read(0, std::string("\0\x7F\x7F\x7F", 4)), ReadWith(text, "s", "missing", nullptr, 4));
  EXPECT_EQ(Read(3, std::string("def\0", 4)), ReadWith(text, "s", "missing", "\"def\"  ", 4));  // unquoted
  EXPECT_EQ("<default>", Value(text, "Second", nullptr));  // no keys: the default
  const std::string all("General\0Second\0Third\0\0", 22);
  const Read full = ReadWith(text, nullptr, nullptr, "", 100);
  EXPECT_EQ(Read(21, all), Read(full.first, full.second.substr(0, 22)));
  EXPECT_EQ(Read(20, all), ReadWith(text, nullptr, nullptr, "", 22));
  EXPECT_EQ(std::string(1, '\0'), ReadWith(text, nullptr, nullptr, "", 1).second);
}

TEST(ProfileRules, IntegersAsGetPrivateProfileIntReadsThem) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"42", 42},         {"  -17  ", -17},  {"+8", 8},   {"0x10", 16},          {"0X1F", 0},
      {"-0x10", -16},     {"0xFFFFFFFF", -1}, {"99999999999", 1215752191},       {"2147483648", INT32_MIN},
      {"- 5", 0},         {"3.9", 3},        {"1e3", 1},  {"\"42\"", 42},        {"x1", 0},
      {"0b101", 5},       {"0o17", 15},      {"00000000000000000000000000000000000042", 42},
      {"", -99},          {"   ", -99},
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
}

TEST(IniTextEdit, DeletingRemovesWholeLinesOnly) {
  IniText text("[a]\r\nk=1\r\nk=dup\r\nj=2\r\n[gone]\r\n; inside\r\ng=1\r\n\r\n[b]\r\nx=1\r\n[GONE]\r\ng=2\r\n");
  EXPECT_EQ("[a]\r\nj=2\r\n[gone]\r\n; inside\r\ng=1\r\n\r\n[b]\r\nx=1\r\n[GONE]\r\ng=2\r\n", text.WithoutKey("a", "K"));
  EXPECT_EQ("[a]\r\nk=1\r\nk=dup\r\nj=2\r\n[b]\r\nx=1\r\n", text.WithoutSection(" Gone "));
  EXPECT_EQ(text.Bytes(), text.WithoutSection("missing"));
  EXPECT_EQ(text.Bytes(), text.WithoutKey("b", "missing"));
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

// Names and values end at a NUL; what is left is trimmed, so a listed
// section can be found by its listed name.
TEST(IniText, WhiteSpaceBeforeANulIsTrimmed) {
  const char raw[] = "[Bo\x1a\0junk]\r\nk \0x=v \0y\r\n";
  const IniText text(std::string(raw, sizeof raw - 1));
  ASSERT_EQ(std::vector<std::string_view>{"Bo"}, text.SectionNames());
  EXPECT_EQ("v", std::string(text.FindValue("Bo", "k").value_or("<missing>")));
}

class IniStoreFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return scratch.File(name); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(scratch.Path())) names.push_back(entry.path().filename().string());
    return names;
  }
  testutil::ScratchDir scratch{"ini-store"};
  plat::IniStore store;
};

TEST_F(IniStoreFiles, WritesReadBackAndReplaceTheFileWhole) {
  const std::string file = Path("action.ini"), section = "* ぷるみゅら";
  EXPECT_TRUE(store.WriteString(section.c_str(), "data00", "64", file.c_str()));
  EXPECT_TRUE(store.WriteString("???", "data01", "-3", file.c_str()));
  EXPECT_TRUE(store.WriteString(section.c_str(), "DATA00", "65", file.c_str()));
  EXPECT_EQ(65, store.GetInt(section.c_str(), "data00", 0, file.c_str()));
  char names[64];
  EXPECT_EQ(section.size() + 1 + 4, store.GetSectionNames(names, sizeof names, file.c_str()));
  EXPECT_EQ("[" + section + "]\r\ndata00=65\r\n[???]\r\ndata01=-3\r\n", scratch.Read("action.ini"));
  EXPECT_TRUE(store.WriteString(section.c_str(), nullptr, nullptr, file.c_str()));
  char value[8];
  EXPECT_EQ(2u, store.GetString("???", "Data01", "x", value, sizeof value, file.c_str()));
  EXPECT_STREQ("-3", value);
  EXPECT_EQ("[???]\r\ndata01=-3\r\n", scratch.Read("action.ini"));
  EXPECT_EQ(std::vector<std::string>{"action.ini"}, Files());  // no temporary file left
}

TEST_F(IniStoreFiles, MissingFilesReadAsEmptyAndDeletingMakesNoFile) {
  const std::string file = Path("absent.ini");
  char value[16];
  EXPECT_EQ(3u, store.GetString("s", "k", "\"def\"", value, sizeof value, file.c_str()));
  EXPECT_STREQ("def", value);
  EXPECT_EQ(5, store.GetInt("s", "k", 5, file.c_str()));
  EXPECT_TRUE(store.WriteString("s", nullptr, nullptr, file.c_str()));
  EXPECT_TRUE(store.WriteString("s", "k", nullptr, file.c_str()));
  EXPECT_FALSE(store.WriteString(nullptr, "k", "v", file.c_str()));
  EXPECT_FALSE(store.WriteString("s", "k", "v", nullptr));
  EXPECT_TRUE(Files().empty());
  EXPECT_FALSE(store.WriteString("s", "k", "v", Path("no-such-dir/x.ini").c_str()));
}

// A save is one replacement: the writes of an edit session reach the file
// together at the commit or, when one of them is refused, not at all.
TEST_F(IniStoreFiles, EditSessionReplacesTheFileOnceOrLeavesIt) {
  const std::string before = "; kept\r\n[p]\r\ndata00=1\r\n";
  const std::string file = scratch.Write("action.ini", before);
  store.BeginEdit(file.c_str());
  EXPECT_TRUE(store.WriteString("p", "data00", "2", file.c_str()));
  EXPECT_TRUE(store.WriteString("q", "data01", "3", file.c_str()));
  EXPECT_EQ(3, store.GetInt("q", "data01", 0, file.c_str()));  // reads see the session
  EXPECT_EQ(before, scratch.Read("action.ini"));
  EXPECT_TRUE(store.CommitEdit());
  const std::string after = "; kept\r\n[p]\r\ndata00=2\r\n[q]\r\ndata01=3\r\n";
  EXPECT_EQ(after, scratch.Read("action.ini"));

  store.BeginEdit(file.c_str());
  EXPECT_TRUE(store.WriteString("p", "data00", "4", file.c_str()));
  EXPECT_FALSE(store.WriteString("p", "bad\nkey", "5", file.c_str()));
  EXPECT_FALSE(store.CommitEdit());
  EXPECT_EQ(after, scratch.Read("action.ini"));
  EXPECT_EQ(2, store.GetInt("p", "data00", 0, file.c_str()));
  EXPECT_EQ(std::vector<std::string>{"action.ini"}, Files());
  EXPECT_FALSE(store.CommitEdit()) << "no session";
}

TEST_F(IniStoreFiles, OversizedFilesReadAsMissingAndAreNeverRewritten) {
  plat::IniStore small(64);
  const std::string big = "[s]\r\nk=v\r\n" + std::string(100, ';') + "\r\n";
  const std::string file = scratch.Write("big.ini", big);
  EXPECT_EQ(9, small.GetInt("s", "k", 9, file.c_str()));
  EXPECT_FALSE(small.WriteString("s", "k", "w", file.c_str()));
  small.BeginEdit(file.c_str());
  small.WriteString("s", "k", "w", file.c_str());
  EXPECT_FALSE(small.CommitEdit());
  EXPECT_EQ(big, scratch.Read("big.ini"));
}

}  // namespace
