// FONT01 as built into the program, checked against the glyph tables.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/embedded_resources.h"
#include "platform/soft/bmp_parser.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;  // (row, column) within a cell

Pixels Row(int r, int c0, int c1) {
  Pixels p;
  for (int c = c0; c <= c1; ++c) p.insert({r, c});
  return p;
}
Pixels Col(int c, int r0, int r1) {
  Pixels p;
  for (int r = r0; r <= r1; ++r) p.insert({r, c});
  return p;
}
Pixels operator+(Pixels a, const Pixels& b) {
  a.insert(b.begin(), b.end());
  return a;
}

Pixels Segment(char s) {
  switch (s) {
    case 'a': return Row(1, 3, 12) + Row(2, 4, 11);
    case 'b': return Col(13, 3, 6) + Col(12, 4, 5);
    case 'c': return Col(13, 10, 13) + Col(12, 11, 12);
    case 'd': return Row(14, 4, 11) + Row(15, 3, 12);
    case 'e': return Col(2, 10, 13) + Col(3, 11, 12);
    case 'f': return Col(2, 3, 6) + Col(3, 4, 5);
    default: return Row(7, 4, 11) + Row(8, 3, 12) + Row(9, 4, 11);  // g
  }
}

Pixels Segments(const char* names) {
  Pixels p;
  for (; *names != '\0'; ++names) p = p + Segment(*names);
  return p;
}

Pixels OpenBracket() {
  Pixels p = Row(1, 8, 12) + Row(2, 9, 12) + Row(14, 9, 12) + Row(15, 8, 12);
  for (int r : {3, 6, 10, 13}) p.insert({r, 7});
  for (int r : {4, 5, 11, 12}) p = p + Row(r, 7, 8);
  return p;
}

Pixels Expected(int glyph) {
  static const char* const kDigits[] = {"abcdef", "bc",   "abdeg", "abcdg",   "bcfg",
                                        "acdfg",  "acdefg", "abcf", "abcdefg", "abcdfg"};
  if (glyph < 10) return Segments(kDigits[glyph]);
  if (glyph == 12) return Segments("aefg");
  if (glyph == 13) return OpenBracket();
  if (glyph == 14) {
    Pixels p;
    for (const auto& [r, c] : OpenBracket()) p.insert({r, 15 - c});
    return p;
  }
  if (glyph == 10) return Row(4, 7, 8) + Row(5, 7, 8) + Row(11, 7, 8) + Row(12, 7, 8);
  if (glyph == 11) {
    Pixels p = Row(2, 12, 13) + Row(14, 1, 2);
    for (int r = 3; r <= 13; ++r) p = p + Row(r, 14 - r, 16 - r);
    return p;
  }
  const int spans[][2] = {{7, 8}, {6, 8}, {5, 7}, {4, 6}, {3, 13}, {2, 13},
                          {3, 13}, {4, 6}, {5, 7}, {6, 8}, {7, 8}};
  Pixels p;
  for (int r = 3; r <= 13; ++r) p = p + Row(r, spans[r - 3][0], spans[r - 3][1]);
  return p;
}

std::uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24); }

TEST(Font01, HeaderAndPalette) {
  const plat::EmbeddedResource* font = plat::FindEmbeddedResource("Font01");
  ASSERT_NE(nullptr, font);
  ASSERT_EQ(14u + 2152u, font->size);
  const unsigned char* dib = font->data + 14;
  EXPECT_EQ(14u + 40u + 64u, U32(font->data + 10));  // pixels right after the palette
  EXPECT_EQ(40u, U32(dib));
  EXPECT_EQ(256u, U32(dib + 4));
  EXPECT_EQ(16u, U32(dib + 8));
  EXPECT_EQ(1u, dib[12] | (dib[13] << 8));
  EXPECT_EQ(4u, dib[14] | (dib[15] << 8));
  for (int at : {16, 20, 24, 28, 36}) EXPECT_EQ(0u, U32(dib + at)) << at;
  EXPECT_EQ(16u, U32(dib + 32));
  EXPECT_EQ(0x00FF00u, U32(dib + 40 + 4));  // entry 1: blue 0, green 255, red 0
  for (int entry = 0; entry < 16; ++entry) {
    if (entry != 1) {
      EXPECT_EQ(0u, U32(dib + 40 + 4 * entry)) << entry;
    }
  }
  for (std::size_t i = 104; i < 2152; ++i) {
    ASSERT_LE(dib[i] & 0x0F, 1) << i;
    ASSERT_LE(dib[i] >> 4, 1) << i;
  }
}

TEST(Font01, EveryGlyphMatchesItsTable) {
  const plat::EmbeddedResource* font = plat::FindEmbeddedResource("FONT01");
  ASSERT_NE(nullptr, font);
  const auto bitmap = plat::soft::ParseBmp(font->data, font->size);
  ASSERT_TRUE(bitmap);
  for (int glyph = 0; glyph < 16; ++glyph) {
    const Pixels lit = Expected(glyph);
    for (int r = 0; r < 16; ++r) {
      for (int c = 0; c < 16; ++c) {
        const std::uint32_t want = lit.count({r, c}) ? 0x00FF00u : 0u;
        ASSERT_EQ(want, bitmap->Rgb(16 * glyph + c, r)) << "glyph " << glyph << " row " << r << " col " << c;
      }
    }
  }
  // The closing bracket is the opening one mirrored.
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) ASSERT_EQ(bitmap->Rgb(16 * 13 + c, r), bitmap->Rgb(16 * 14 + 15 - c, r));
  }
}

}  // namespace
