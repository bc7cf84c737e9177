// The clock and frame-rate overlays: which cells go where, read back as text,
// and the font drawn through the real sprite onto the software display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_profile_store.h"
#include "saver/overlays.h"
#include "tests/display_rig.h"

namespace {

struct Cell {
  std::int32_t x, y, srcX, srcY, w, h;
  bool operator==(const Cell& o) const {
    return x == o.x && y == o.y && srcX == o.srcX && srcY == o.srcY && w == o.w && h == o.h;
  }
};

class RecordingGlyphs : public prumya::GlyphSink {
 public:
  void DrawCell(std::int32_t x, std::int32_t y, std::int32_t srcX, std::int32_t srcY,
                std::int32_t w, std::int32_t h) override {
    cells.push_back({x, y, srcX, srcY, w, h});
  }
  // The cells read back as characters from column x0; empty cells are
  // spaces, and the S shows as the 5 it is drawn with.
  std::string Text(std::int32_t x0) const {
    static const char kShapes[] = "0123456789:/F[]<";
    std::string text;
    for (const Cell& c : cells) {
      const std::size_t at = static_cast<std::size_t>((c.x - x0) / prumya::kGlyphSize);
      if (text.size() <= at) text.resize(at + 1, ' ');
      text[at] = kShapes[c.srcX / prumya::kGlyphSize];
    }
    return text;
  }
  std::vector<Cell> cells;
};

std::string AsDrawn(std::string text) {
  for (char& c : text) c = c == 'S' ? '5' : c;
  return text;
}

class OverlaysTest : public ::testing::Test {
 protected:
  OverlaysTest() : config(store, rng), overlays(config, clock, glyphs) {
    config.FitScreen(1024, 768);
    config.screenWidth = 1024;
    config.screenHeight = 768;
    config.settings.showClock = 0;
    config.settings.showFrameRate = 0;
    clock.ticks = 7000;
  }
  // One drawn frame's frame-rate line, after ms more milliseconds.
  std::string RateAfter(std::uint32_t ms) {
    clock.Advance(ms);
    glyphs.cells.clear();
    overlays.DrawFrameRate();
    return glyphs.Text(0);
  }
  std::string ClockAt(int hour, int minute, int second, int ms) {
    clock.local = {2024, 12, 31, hour, minute, second, ms};
    glyphs.cells.clear();
    overlays.DrawClock();
    return glyphs.Text(1024 - 304);
  }

  fake::FakeProfileStore store;
  qrx::Random rng;
  fake::FakeClock clock;
  RecordingGlyphs glyphs;
  prumya::SaverConfig config;
  prumya::Overlays overlays;
};

TEST_F(OverlaysTest, GlyphCellsSixteenPixelsApartUnknownBytesSkipped) {
  prumya::DrawGlyphText(glyphs, -5, 40, "1 :x<S]");
  const std::vector<Cell> expected = {
      {-5, 40, 16, 0, 16, 16},       // 1
      {-5 + 32, 40, 160, 0, 16, 16}, // :
      {-5 + 64, 40, 240, 0, 16, 16}, // <
      {-5 + 80, 40, 80, 0, 16, 16},  // S as 5
      {-5 + 96, 40, 224, 0, 16, 16}, // ]
  };
  EXPECT_TRUE(expected == glyphs.cells);
  const char high[] = "\x82\xD5";  // a double-byte character: two empty cells
  glyphs.cells.clear();
  prumya::DrawGlyphText(glyphs, 0, 0, high);
  EXPECT_TRUE(glyphs.cells.empty());
}

TEST_F(OverlaysTest, FrameRateFirstFrameRolloverAndArrow) {
  config.settings.showFrameRate = 1;
  EXPECT_EQ(AsDrawn("0000[F/S]<0001"), RateAfter(0));
  ASSERT_FALSE(glyphs.cells.empty());
  EXPECT_EQ(768 - 17, glyphs.cells[0].y);
  EXPECT_EQ(AsDrawn("0000[F/S] 0002"), RateAfter(100));
  std::string line;
  for (int frame = 3; frame <= 58; ++frame) line = RateAfter(15);
  EXPECT_EQ(AsDrawn("0000[F/S] 0058"), line);
  // The frame that completes the second is counted in it.
  EXPECT_EQ(AsDrawn("0059[F/S]<0000"), RateAfter(1000 - 100 - 56 * 15));
  EXPECT_EQ(AsDrawn("0059[F/S]<0001"), RateAfter(99));
  EXPECT_EQ(AsDrawn("0059[F/S] 0002"), RateAfter(1));
}

TEST_F(OverlaysTest, FiveDigitCountsAreNotCut) {
  config.settings.showFrameRate = 1;
  for (int i = 1; i < 12345; ++i) overlays.DrawFrameRate();
  EXPECT_EQ(AsDrawn("0000[F/S]<12345"), RateAfter(0));  // 16 pixels longer than usual
  EXPECT_EQ(14 * 16, glyphs.cells.back().x);
}

TEST_F(OverlaysTest, SwitchingTheCounterOffKeepsItsCounts) {
  config.settings.showFrameRate = 1;
  RateAfter(0);
  RateAfter(200);
  config.settings.showFrameRate = 0;
  EXPECT_EQ("", RateAfter(300));
  config.settings.showFrameRate = 1;
  EXPECT_EQ(AsDrawn("0000[F/S] 0003"), RateAfter(100));
}

TEST_F(OverlaysTest, ClockColonsInTheFirstHalfSecondGapsInTheSecond) {
  config.settings.showClock = 1;
  EXPECT_EQ("2024/12/31 23:59:59", ClockAt(23, 59, 59, 200));
  EXPECT_EQ("2024/12/31 23:59:59", ClockAt(23, 59, 59, 499));
  EXPECT_EQ("2024/12/31 23 59 59", ClockAt(23, 59, 59, 500));
  EXPECT_EQ("2024/12/31 23 59 59", ClockAt(23, 59, 59, 700));
  EXPECT_EQ("2024/12/31 09:05:07", ClockAt(9, 5, 7, 0));
  EXPECT_EQ(1024 - 304, glyphs.cells.front().x);
  EXPECT_EQ(768 - 17, glyphs.cells.front().y);
  EXPECT_EQ(1024 - 16, glyphs.cells.back().x);  // flush with the right edge
}

TEST_F(OverlaysTest, BothOffDrawNothingAndOnlyStartTheRateTimer) {
  struct CountingClock : fake::FakeClock {
    int nowReads = 0;
    plat::LocalTime Now() override {
      ++nowReads;
      return local;
    }
  } counting;
  prumya::Overlays quiet(config, counting, glyphs);
  quiet.DrawClock();
  quiet.DrawFrameRate();
  quiet.DrawClock();
  quiet.DrawFrameRate();
  EXPECT_TRUE(glyphs.cells.empty());
  EXPECT_EQ(0, counting.nowReads);
  EXPECT_EQ(1, counting.tickReads);  // the frame-rate timer's start
}

// The font through the font sprite onto a 16-bit back buffer: green where the
// glyph is lit, the black of the cell transparent.
TEST(FontGlyphs, DrawsLitPixelsAndKeepsTheBackgroundTransparent) {
  testrig::DisplayRig rig(64, 32);
  ASSERT_TRUE(rig.screen.Init16(rig.width, rig.height));
  prumya::FontGlyphs font(rig.slots);
  ASSERT_NE(0, font.Load());
  const std::uint32_t white = rig.Native(plat::MakeColour(255, 255, 255));
  const std::uint32_t green = rig.Native(plat::MakeColour(0, 255, 0));
  for (std::int32_t y = 0; y < rig.height; ++y)
    for (std::int32_t x = 0; x < rig.width; ++x)
      plat::soft::WritePixel(static_cast<plat::soft::SoftSurface*>(rig.screen.BackBuffer())->View(),
                             x, y, white);
  prumya::DrawGlyphText(font, 10, 4, "1");
  EXPECT_EQ(green, rig.Back(10 + 13, 4 + 3));   // segment b
  EXPECT_EQ(green, rig.Back(10 + 13, 4 + 13));  // segment c
  EXPECT_EQ(white, rig.Back(10 + 2, 4 + 3));    // segment f is dark in a 1
  EXPECT_EQ(white, rig.Back(10 + 7, 4 + 8));    // segment g likewise
  EXPECT_EQ(white, rig.Back(9, 4 + 3));         // outside the cell
}

}  // namespace
