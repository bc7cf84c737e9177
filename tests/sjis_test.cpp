// The Shift_JIS rules every text operation relies on, as tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "platform/common/sjis.h"

namespace {

namespace sjis = plat::sjis;

// A text, its characters' lengths in order, whether it ends in a lone lead
// byte, and what lowering it in place makes of it.
const std::tuple<const char*, std::vector<std::size_t>, bool, const char*> kTexts[] = {
    {"/S \x83\x41\x95\x5C AbC", {1, 1, 1, 2, 2, 1, 1, 1, 1}, false, "/s \x83\x41\x95\x5C abc"},
    {"\x81\x20Z", {1, 1, 1}, false, "\x81\x20z"},          // a space is no trail byte
    {"x\x81", {1, 1}, true, "x\x81"},                      // a lead byte at the end
    {"\x9F\x3F\x9F\x40", {1, 1, 2}, false, "\x9F\x3F\x9F\x40"},  // 0x3F: no trail
    {"\x81\x7F\x81\x7E\x81\x80", {1, 1, 2, 2}, false, "\x81\x7F\x81\x7E\x81\x80"},  // nor 0x7F
    {"\xE0\xFC\xFC\xFD\xFD\x40", {2, 1, 1, 1, 1}, false, "\xE0\xFC\xFC\xFD\xFD\x40"},
    {"\x80\x41\xA0\x41\xDF\x41", {1, 1, 1, 1, 1, 1}, false, "\x80\x61\xA0\x61\xDF\x61"},
    {"", {}, false, ""},
};

TEST(ShiftJis, CharactersCutsAndComparisons) {
  for (const auto& [raw, chars, endsInLoneLead, lower] : kTexts) {
    const std::string text = raw;
    std::size_t pos = 0;
    for (std::size_t length : chars) {
      EXPECT_EQ(length, sjis::CharLength(text, pos)) << text << " at " << pos;
      EXPECT_EQ(length, sjis::CharLength(text.c_str() + pos)) << text << " at " << pos;
      pos += length;
    }
    EXPECT_EQ(0u, sjis::CharLength(text.c_str() + pos)) << text;
    EXPECT_EQ(endsInLoneLead, sjis::EndsInLoneLead(text)) << text;
    std::string lowered = text;
    sjis::LowerInPlace(lowered.data());
    EXPECT_EQ(lower, lowered);
  }

  // A cut keeps whole characters only; a lone lead byte is a character.
  using Cut = std::tuple<const char*, std::size_t, const char*>;  // text, buffer size, what fits
  for (const auto& [text, size, copied] : {Cut{"a\x83\x41\x83\x43", 4, "a\x83\x41"}, Cut{"a\x83\x41\x83\x43", 3, "a"},
                                           Cut{"a\x83\x41", 1, ""}, Cut{"x\x81", 3, "x\x81"}, Cut{"abc", 4, "abc"}}) {
    char out[8];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(std::strlen(copied), sjis::CopyBounded(out, size, text)) << text;
    EXPECT_STREQ(copied, out);
    EXPECT_EQ(std::strlen(copied), sjis::FitWhole(text, size - 1));
  }
  char untouched = '#';
  EXPECT_EQ(0u, sjis::CopyBounded(&untouched, 0, "abc"));
  EXPECT_EQ('#', untouched);

  // ASCII letters without case, double-byte characters by their bytes:
  // ア (83 41) and ヂ (83 61) differ only in a trail byte that looks like a
  // letter.
  using Order = std::tuple<const char*, const char*, int, bool>;  // a, b, the sign of a - b, a starts with b
  for (const auto& [a, b, sign, startsWith] :
       {Order{"Action", "aCTION", 0, true}, Order{"\x83\x41", "\x83\x61", -1, false},
        Order{"alpha long", "ALPHA", 1, true}, Order{"[", "a", -1, false}, Order{"beta", "\x82\xE4", -1, false},
        Order{"abc", "", 1, true}}) {
    const int compared = sjis::CompareFolded(a, b);
    EXPECT_EQ(sign, compared < 0 ? -1 : (compared > 0 ? 1 : 0)) << a << " / " << b;
    EXPECT_EQ(sign == 0, sjis::EqualFolded(a, b)) << a << " / " << b;
    EXPECT_EQ(startsWith, sjis::StartsWithFolded(a, b)) << a << " / " << b;
  }
  EXPECT_FALSE(sjis::EqualFolded(std::string("a\0b", 3), std::string("a\0c", 3)));
}

}  // namespace
