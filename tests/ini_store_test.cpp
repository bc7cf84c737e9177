// The INI store: Win32 read rules over in-memory text, in-place edits, and
// the file layer (round trips, atomic replacement) in a temporary directory.
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

namespace {

// Reads through ReadString into a buffer with guard bytes behind it.
struct Read {
  std::uint32_t result;
  std::string bytes;  // the buffer's first `size` bytes
  bool guardIntact;
};

Read ReadWith(const IniText& text, const char* section, const char* key, const char* def,
              std::uint32_t size) {
  std::vector<char> buffer(size + 8, '\x7F');
  std::uint32_t n = plat::ini::ReadString(text, section, key, def, buffer.data(), size);
  bool guard = true;
  for (std::size_t i = size; i < buffer.size(); ++i) guard = guard && buffer[i] == '\x7F';
  return Read{n, std::string(buffer.data(), size), guard};
}

std::string Value(const IniText& text, const char* section, const char* key) {
  Read r = ReadWith(text, section, key, "<default>", 256);
  return std::string(r.bytes.c_str());
}

}  // namespace

TEST(IniText, ShiftJisTrailBytesBelongToTheirCharacter) {
  const std::string hyo = "表";   // 95 5C: trail looks like '\'
  const std::string zo = "ゾ";    // 83 5D: trail looks like ']'
  const std::string a = "ア";     // 83 41: trail looks like 'A'
  const std::string di = "ヂ";    // 83 61: trail looks like 'a'
  IniText text("[" + hyo + "]\r\n" + hyo + "=backslash trail\r\n" +
               "[" + zo + "]\r\nk=bracket trail\r\n[ab" + zo + "\r\nafter=1\r\n" +
               "[" + a + "]\r\nk=A\r\n[" + di + "]\r\nk=DI\r\n");
  EXPECT_EQ("backslash trail", Value(text, hyo.c_str(), hyo.c_str()));
  EXPECT_EQ("bracket trail", Value(text, zo.c_str(), "k"));
  EXPECT_EQ("1", Value(text, zo.c_str(), "after"));  // "[abゾ" has no closing bracket
  EXPECT_EQ("A", Value(text, a.c_str(), "k"));
  EXPECT_EQ("DI", Value(text, di.c_str(), "k"));  // no case folding inside DBCS characters
  EXPECT_EQ(4u, text.SectionNames().size());
}

TEST(IniText, NamesAndValuesAsKernel32ReadsThem) {
  IniText text(
      "\xEF\xBB\xBF[ Spaced ]\nName = \"quoted value\" \r\n"
      "mixed=\"mixed'\rno value\nno value=later\n;c=comment\n"
      "[spaced]\nk=duplicate section\n[x]]\nk=last bracket\n");
  EXPECT_EQ("quoted value", Value(text, "spaced", " NAME "));
  EXPECT_EQ("\"mixed'", Value(text, "Spaced", "mixed"));
  EXPECT_EQ("<default>", Value(text, "Spaced", "no value"));  // the line without '=' hides it
  EXPECT_EQ("comment", Value(text, "Spaced", ";c"));
  EXPECT_EQ("<default>", Value(text, "spaced", "k"));  // the first duplicate wins
  EXPECT_EQ("last bracket", Value(text, "x]", "k"));
  std::vector<std::string_view> keys = text.KeyNames("spaced");
  ASSERT_EQ(3u, keys.size());  // no comment, no line without '='
  EXPECT_EQ("no value", keys[2]);
}

TEST(ProfileRules, ValuesAreCutBeforeTheBufferEndsAndNeverInsideACharacter) {
  const std::string kana = "あいう";  // six bytes
  IniText text("[s]\r\nv=abcdef\r\nq=\"abc\"\r\nk=" + kana + "\r\n");
  EXPECT_EQ(3u, ReadWith(text, "s", "v", "", 4).result);
  EXPECT_EQ(std::string("abc\0", 4), ReadWith(text, "s", "v", "", 4).bytes);
  EXPECT_EQ(3u, ReadWith(text, "s", "q", "", 4).result);  // quotes go before the cut
  Read odd = ReadWith(text, "s", "k", "", 4);          // room for 3 bytes: one whole character
  EXPECT_EQ(2u, odd.result);
  EXPECT_EQ(kana.substr(0, 2) + '\0', odd.bytes.substr(0, 3));
  EXPECT_EQ('\x7F', odd.bytes[3]);  // the lone lead byte is not written
  EXPECT_EQ(0u, ReadWith(text, "s", "k", "", 2).result);
  Read nullDefault = ReadWith(text, "s", "missing", nullptr, 4);
  EXPECT_EQ(0u, nullDefault.result);
  EXPECT_EQ('\0', nullDefault.bytes[0]);
  Read none = ReadWith(text, "s", "v", "", 0);
  EXPECT_EQ(0u, none.result);
  EXPECT_TRUE(none.guardIntact);
}

TEST(ProfileRules, ListsAreCutWithTwoNuls) {
  IniText text("[General]\r\n[Second]\r\n[Third]\r\n");
  Read full = ReadWith(text, nullptr, nullptr, "", 100);
  EXPECT_EQ(21u, full.result);
  EXPECT_EQ(std::string("General\0Second\0Third\0\0", 22), full.bytes.substr(0, 22));
  Read exact = ReadWith(text, nullptr, nullptr, "", 22);  // counts as too small
  EXPECT_EQ(20u, exact.result);
  EXPECT_EQ(std::string("General\0Second\0Third\0\0", 22), exact.bytes);
  Read cut = ReadWith(text, nullptr, nullptr, "", 12);
  EXPECT_EQ(10u, cut.result);
  EXPECT_EQ(std::string("General\0Se\0\0", 12), cut.bytes);
  EXPECT_EQ(std::string(1, '\0'), ReadWith(text, nullptr, nullptr, "", 1).bytes);
  EXPECT_EQ(std::string(2, '\0'), ReadWith(text, nullptr, nullptr, "", 2).bytes);
  EXPECT_EQ("<default>", Value(text, "Second", nullptr));  // no keys: the default
}

TEST(ProfileRules, IntegersAsGetPrivateProfileIntReadsThem) {
  struct Case {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"42", 42},          {"  -17  ", -17},    {"+8", 8},           {"0x10", 16},
      {"0X1F", 0},         {"-0x10", -16},      {"0xFFFFFFFF", -1},  {"99999999999", 1215752191},
      {"2147483648", INT32_MIN}, {"- 5", 0},    {"3.9", 3},          {"1e3", 1},
      {"\"42\"", 42},      {"x1", 0},           {"0b101", 5},        {"0o17", 15},
      {"00000000000000000000000000000000000042", 42},
  };
  for (const Case& c : cases) {
    IniText text(std::string("[i]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(c.expected, plat::ini::ReadInt(text, "i", "k", -99)) << c.text;
  }
  IniText blank("[i]\r\nempty=\r\nblank=   \r\n");
  EXPECT_EQ(-99, plat::ini::ReadInt(blank, "i", "empty", -99));
  EXPECT_EQ(-99, plat::ini::ReadInt(blank, "i", "blank", -99));
  EXPECT_EQ(7, plat::ini::ReadInt(blank, "i", "missing", 7));
}

TEST(IniTextEdit, ReplacingAValueKeepsEveryOtherByte) {
  const std::string original =
      "; hand-written\r\n[action]\r\nname=old\r\n  speed =  20 ; why\r\n\r\n"
      "; about other\r\n[other]\nk=v";
  IniText text(original);
  EXPECT_EQ(
      "; hand-written\r\n[action]\r\nname=old\r\n  speed =  0\r\n\r\n"
      "; about other\r\n[other]\nk=v",
      text.WithValue("ACTION", "Speed", "0"));
  // A new key follows the section's last entry, before its trailing comment.
  EXPECT_EQ(
      "; hand-written\r\n[action]\r\nname=old\r\n  speed =  20 ; why\r\nfps=1\r\n\r\n"
      "; about other\r\n[other]\nk=v",
      text.WithValue("action", "fps", "1"));
  // The last line had no line break; a new section starts on a line of its own.
  EXPECT_EQ(original + "\r\n[new]\r\nkey=val\r\n", text.WithValue(" new ", "key ", "val"));
  EXPECT_EQ(original, text.WithValue("action", "name", "old"));
}

TEST(IniTextEdit, NewLinesFollowTheFilesOwnLineBreaks) {
  IniText lf("[s]\nk=v\n");
  EXPECT_EQ("[s]\nk=v\nk2=v2\n", lf.WithValue("s", "k2", "v2"));
  EXPECT_EQ("[s]\nk=v\n[t]\nk=v\n", lf.WithValue("t", "k", "v"));
  EXPECT_EQ("[s]\r\nk=v\r\n", IniText("").WithValue("s", "k", "v"));
  EXPECT_EQ("[s]\rk=v\r", IniText("[s]\r").WithValue("s", "k", "v"));
}

TEST(IniTextEdit, DeletingRemovesWholeLinesOnly) {
  IniText text("[a]\r\nk=1\r\nk=dup\r\nj=2\r\n[gone]\r\n; inside\r\ng=1\r\n\r\n[b]\r\nx=1\r\n"
               "[GONE]\r\ng=2\r\n");
  EXPECT_EQ("[a]\r\nj=2\r\n[gone]\r\n; inside\r\ng=1\r\n\r\n[b]\r\nx=1\r\n[GONE]\r\ng=2\r\n",
            text.WithoutKey("a", "K"));
  EXPECT_EQ("[a]\r\nk=1\r\nk=dup\r\nj=2\r\n[b]\r\nx=1\r\n", text.WithoutSection(" Gone "));
  EXPECT_EQ(text.Bytes(), text.WithoutSection("missing"));
  EXPECT_EQ(text.Bytes(), text.WithoutKey("b", "missing"));
}

TEST(ProfileRules, WritesThatWouldBreakTheFileAreRefused) {
  IniText text("[s]\r\nk=v\r\n");
  std::string out;
  using plat::ini::WriteOutcome;
  EXPECT_EQ(WriteOutcome::kRefused, plat::ini::ApplyWrite(text, nullptr, "k", "v", out));
  EXPECT_EQ(WriteOutcome::kRefused, plat::ini::ApplyWrite(text, "s", "k", "a\r\nb=2", out));
  EXPECT_EQ(WriteOutcome::kRefused, plat::ini::ApplyWrite(text, "s", "a=b", "v", out));
  EXPECT_EQ(WriteOutcome::kRefused, plat::ini::ApplyWrite(text, "s", "[t]", "v", out));
  EXPECT_EQ(WriteOutcome::kUnchanged, plat::ini::ApplyWrite(text, "s", "k", "v", out));
  EXPECT_EQ(WriteOutcome::kUnchanged, plat::ini::ApplyWrite(text, "t", nullptr, nullptr, out));
  EXPECT_EQ(WriteOutcome::kChanged, plat::ini::ApplyWrite(text, "s", nullptr, "ignored", out));
  EXPECT_EQ("", out);
}

// Deterministic junk: NULs, lone lead bytes, line breaks, brackets, huge lines.
TEST(ProfileRules, AnyBytesParseAndReadWithinTheBuffer) {
  const char alphabet[] = {'[', ']', '=', ';', '"', '\'', ' ', '\t', '\r', '\n', '\0', 'a',
                           'A', 'k', '\x81', '\x95', '\x5C', '\xE0', '\xFC', '\x40', '\x7F', '1'};
  std::uint32_t state = 12345;
  auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    std::size_t length = next() % (round % 50 == 0 ? 5000 : 60);
    for (std::size_t i = 0; i < length; ++i) bytes += alphabet[next() % sizeof alphabet];
    IniText text(bytes);
    for (std::uint32_t size : {0u, 1u, 2u, 3u, 7u}) {
      EXPECT_TRUE(ReadWith(text, "a", "k", "dflt", size).guardIntact);
      EXPECT_TRUE(ReadWith(text, "a", nullptr, "dflt", size).guardIntact);
      EXPECT_TRUE(ReadWith(text, nullptr, nullptr, "dflt", size).guardIntact);
    }
    std::string out;
    plat::ini::ApplyWrite(text, "a", "k", "v", out);
    EXPECT_EQ("v", Value(IniText(out), "a", "k")) << round;
  }
}

class IniStoreFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return scratch_.File(name); }
  std::string Contents(const char* name) const { return scratch_.Read(name); }
  void Put(const char* name, const std::string& bytes) const { scratch_.Write(name, bytes); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(scratch_.Path())) names.push_back(entry.path().filename().string());
    return names;
  }
  testutil::ScratchDir scratch_{"ini-store"};
};

TEST_F(IniStoreFiles, WriteThenReadRoundTrip) {
  plat::IniStore store;
  const std::string file = Path("action.ini");
  const std::string section = "* ぷるみゅら";
  EXPECT_TRUE(store.WriteString(section.c_str(), "data00", "64", file.c_str()));
  EXPECT_TRUE(store.WriteString("???", "data01", "-3", file.c_str()));
  EXPECT_TRUE(store.WriteString(section.c_str(), "DATA00", "65", file.c_str()));
  EXPECT_EQ(65, store.GetInt(section.c_str(), "data00", 0, file.c_str()));
  EXPECT_EQ(-3, store.GetInt("???", "Data01", 0, file.c_str()));
  char names[64];
  std::uint32_t n = store.GetSectionNames(names, sizeof names, file.c_str());
  EXPECT_EQ(section.size() + 1 + 4, n);
  EXPECT_EQ("[" + section + "]\r\ndata00=65\r\n[???]\r\ndata01=-3\r\n", Contents("action.ini"));
  EXPECT_TRUE(store.WriteString(section.c_str(), nullptr, nullptr, file.c_str()));
  EXPECT_EQ("[???]\r\ndata01=-3\r\n", Contents("action.ini"));
  char value[8];
  EXPECT_EQ(2u, store.GetString("???", "data01", "x", value, sizeof value, file.c_str()));
  EXPECT_STREQ("-3", value);
}

TEST_F(IniStoreFiles, MissingFilesReadAsEmptyAndDeletingLeavesNoFile) {
  plat::IniStore store;
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

TEST_F(IniStoreFiles, ReplacementIsAtomicAndLeavesNoTemporaryFile) {
  plat::IniStore store;
  Put("prumya.ini", "; kept\n[action]\nspeed=20\n");
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(store.WriteString("action", "speed", std::to_string(i).c_str(), Path("prumya.ini").c_str()));
  }
  EXPECT_EQ("; kept\n[action]\nspeed=4\n", Contents("prumya.ini"));
  EXPECT_EQ(std::vector<std::string>{"prumya.ini"}, Files());
}

// A save is one replacement: the writes of an edit session reach the file
// together at the commit or, when one of them is refused, not at all.
TEST_F(IniStoreFiles, EditSessionReplacesTheFileOnceOrLeavesIt) {
  plat::IniStore store;
  const std::string before = "; kept\r\n[p]\r\ndata00=1\r\n";
  Put("action.ini", before);
  const std::string file = Path("action.ini");
  store.BeginEdit(file.c_str());
  EXPECT_TRUE(store.WriteString("p", "data00", "2", file.c_str()));
  EXPECT_TRUE(store.WriteString("q", "data01", "3", file.c_str()));
  EXPECT_EQ(3, store.GetInt("q", "data01", 0, file.c_str()));  // reads see the session
  EXPECT_EQ(before, Contents("action.ini"));
  EXPECT_TRUE(store.CommitEdit());
  const std::string after = "; kept\r\n[p]\r\ndata00=2\r\n[q]\r\ndata01=3\r\n";
  EXPECT_EQ(after, Contents("action.ini"));

  store.BeginEdit(file.c_str());
  EXPECT_TRUE(store.WriteString("p", "data00", "4", file.c_str()));
  EXPECT_FALSE(store.WriteString("p", "bad\nkey", "5", file.c_str()));
  EXPECT_FALSE(store.CommitEdit());
  EXPECT_EQ(after, Contents("action.ini"));
  EXPECT_EQ(2, store.GetInt("p", "data00", 0, file.c_str()));
  EXPECT_EQ(std::vector<std::string>{"action.ini"}, Files());
}

TEST_F(IniStoreFiles, OversizedFilesReadAsMissingAndAreNeverRewritten) {
  plat::IniStore store(64);
  const std::string big = "[s]\r\nk=v\r\n" + std::string(100, ';') + "\r\n";
  Put("big.ini", big);
  EXPECT_EQ(9, store.GetInt("s", "k", 9, Path("big.ini").c_str()));
  EXPECT_FALSE(store.WriteString("s", "k", "w", Path("big.ini").c_str()));
  EXPECT_EQ(big, Contents("big.ini"));
}
