// FONT01 as built into the program: sixteen 16x16 cells in pure green on
// black (black is the colour key), each glyph its own, the brackets mirrored.
// The shapes themselves are pinned by the frame hashes.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/embedded_resources.h"
#include "platform/soft/bmp_parser.h"

TEST(Font01, SixteenDistinctGreenGlyphsOnBlack) {
  const plat::EmbeddedResource* font = plat::FindEmbeddedResource("font01");
  ASSERT_NE(nullptr, font);
  const auto bitmap = plat::soft::ParseBmp(font->data, font->size);
  ASSERT_TRUE(bitmap);
  ASSERT_EQ(256, bitmap->Width());
  ASSERT_EQ(16, bitmap->Height());
  std::set<std::vector<bool>> glyphs;
  for (int glyph = 0; glyph < 16; ++glyph) {
    std::vector<bool> lit;
    for (int r = 0; r < 16; ++r) {
      for (int c = 0; c < 16; ++c) {
        const std::uint32_t rgb = bitmap->Rgb(16 * glyph + c, r);
        ASSERT_TRUE(rgb == 0 || rgb == 0x00FF00u) << glyph << " " << r << "," << c;
        lit.push_back(rgb != 0);
      }
    }
    EXPECT_NE(std::vector<bool>(256, false), lit) << glyph;
    glyphs.insert(lit);
  }
  EXPECT_EQ(16u, glyphs.size());
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) ASSERT_EQ(bitmap->Rgb(16 * 13 + c, r), bitmap->Rgb(16 * 14 + 15 - c, r));
  }
}
