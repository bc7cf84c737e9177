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
  void DrawCell(std::int32_t x, std::int32_t y, std::int32_t srcX, std::int32_t srcY, std::int32_t w,
                std::int32_t h) override {
    cells.push_back({x, y, srcX, srcY, w, h});
  }
  // The cells read back as characters from column x0; empty cells are
  // spaces, and S reads as the 5 it is drawn with.
  std::string Text(std::int32_t x0) const {
    std::string text;
    for (const Cell& c : cells) {
      const std::size_t at = static_cast<std::size_t>((c.x - x0) / prumya::kGlyphSize);
      if (text.size() <= at) text.resize(at + 1, ' ');
      text[at] = "0123456789:/F[]<"[c.srcX / prumya::kGlyphSize];
    }
    return text;
  }
  std::vector<Cell> cells;
};

class OverlaysTest : public ::testing::Test {
 protected:
  OverlaysTest() {
    config.FitScreen(1024, 768);
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
  prumya::SaverConfig config{store, rng};
  prumya::Overlays overlays{config, clock, glyphs};
};

TEST_F(OverlaysTest, GlyphCellsSixteenPixelsApartUnknownBytesSkipped) {
  prumya::DrawGlyphText(glyphs, -5, 40, "1 :x<S]\x82\xD5");  // a double-byte character: two empty cells
  const std::vector<Cell> expected = {{-5, 40, 16, 0, 16, 16},  {27, 40, 160, 0, 16, 16}, {59, 40, 240, 0, 16, 16},
                                      {75, 40, 80, 0, 16, 16},  {91, 40, 224, 0, 16, 16}};
  EXPECT_TRUE(expected == glyphs.cells);
}

// The frame that completes a second is counted in it; the arrow marks the
// first 100 ms after each rollover; five digits are not cut.
TEST_F(OverlaysTest, FrameRateRollsOverEachSecondWithItsArrow) {
  config.settings.showFrameRate = 1;
  EXPECT_EQ("0000[F/5]<0001", RateAfter(0));
  EXPECT_EQ(768 - 17, glyphs.cells[0].y);
  EXPECT_EQ("0000[F/5] 0002", RateAfter(100));
  std::string line;
  for (int frame = 3; frame <= 58; ++frame) line = RateAfter(15);
  EXPECT_EQ("0000[F/5] 0058", line);
  EXPECT_EQ("0059[F/5]<0000", RateAfter(1000 - 100 - 56 * 15));
  EXPECT_EQ("0059[F/5]<0001", RateAfter(99));
  EXPECT_EQ("0059[F/5] 0002", RateAfter(1));
  config.settings.showFrameRate = 0;  // off keeps the counts
  EXPECT_EQ("", RateAfter(300));
  config.settings.showFrameRate = 1;
  EXPECT_EQ("0059[F/5] 0003", RateAfter(0));
  for (int i = 3; i < 12344; ++i) overlays.DrawFrameRate();
  EXPECT_EQ("0059[F/5] 12345", RateAfter(0));
  EXPECT_EQ(14 * 16, glyphs.cells.back().x);
}

TEST_F(OverlaysTest, ClockShowsColonsInTheFirstHalfSecondAndSitsAtTheLowerRight) {
  config.settings.showClock = 1;
  for (int ms : {200, 499}) EXPECT_EQ("2024/12/31 23:59:59", ClockAt(23, 59, 59, ms));
  for (int ms : {500, 700}) EXPECT_EQ("2024/12/31 23 59 59", ClockAt(23, 59, 59, ms));
  EXPECT_EQ("2024/12/31 09:05:07", ClockAt(9, 5, 7, 0));
  EXPECT_EQ(1024 - 304, glyphs.cells.front().x);
  EXPECT_EQ(768 - 17, glyphs.cells.front().y);
  EXPECT_EQ(1024 - 16, glyphs.cells.back().x);
}

TEST_F(OverlaysTest, BothOffDrawNothingAndOnlyStartTheRateTimer) {
  struct CountingClock : fake::FakeClock {
    int nowReads = 0;
    plat::LocalTime Now() override { return ++nowReads, local; }
  } counting;
  prumya::Overlays quiet(config, counting, glyphs);
  for (int i = 0; i < 2; ++i) quiet.DrawClock(), quiet.DrawFrameRate();
  EXPECT_TRUE(glyphs.cells.empty());
  EXPECT_EQ(0, counting.nowReads);
  EXPECT_EQ(1, counting.tickReads);
}

// Through the font sprite onto a 16-bit back buffer: green where the glyph
// is lit, the black of the cell transparent.
TEST(FontGlyphs, DrawsLitPixelsAndKeepsTheBackgroundTransparent) {
  testrig::DisplayRig rig(64, 32);
  ASSERT_TRUE(rig.screen.Init16(rig.width, rig.height));
  prumya::FontGlyphs font(rig.slots);
  ASSERT_NE(0, font.Load());
  const std::uint32_t white = rig.Native(plat::MakeColour(255, 255, 255));
  const std::uint32_t green = rig.Native(plat::MakeColour(0, 255, 0));
  ASSERT_EQ(plat::kOk, rig.screen.BackBuffer()->ColourFill(white));
  prumya::DrawGlyphText(font, 10, 4, "1");
  EXPECT_EQ(green, rig.Back(10 + 13, 4 + 3));   // segment b
  EXPECT_EQ(green, rig.Back(10 + 13, 4 + 13));  // segment c
  EXPECT_EQ(white, rig.Back(10 + 2, 4 + 3));    // segment f is dark in a 1
  EXPECT_EQ(white, rig.Back(10 + 7, 4 + 8));    // segment g likewise
  EXPECT_EQ(white, rig.Back(9, 4 + 3));         // outside the cell
}

}  // namespace
