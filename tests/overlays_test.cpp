// The clock and frame-rate overlays as text read back from the glyph cells
// (the font's pixels are pinned by the frame hashes).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "saver/overlays.h"
#include "tests/config_fixture.h"

namespace {

// The cells read back as characters from column x0; empty cells are spaces,
// and S reads as the 5 it is drawn with. y holds the last cell's row.
class TextGlyphs : public prumya::GlyphSink {
 public:
  void DrawCell(std::int32_t x, std::int32_t row, std::int32_t srcX, std::int32_t, std::int32_t,
                std::int32_t) override {
    const std::size_t at = static_cast<std::size_t>((x - x0) / prumya::kGlyphSize);
    if (text.size() <= at) text.resize(at + 1, ' ');
    text[at] = "0123456789:/F[]<"[srcX / prumya::kGlyphSize];
    y = row;
  }
  std::int32_t x0 = 0, y = 0;
  std::string text;
};

class OverlaysTest : public prumya_test::ConfigTest {
 protected:
  OverlaysTest() { clock.ticks = 7000; }
  std::string RateAfter(std::uint32_t ms) {
    clock.Advance(ms);
    glyphs.text.clear();
    glyphs.x0 = 0;
    overlays.DrawFrameRate();
    return glyphs.text;
  }
  std::string ClockAt(int hour, int minute, int second, int ms) {
    clock.local = {2024, 12, 31, hour, minute, second, ms};
    glyphs.text.clear();
    glyphs.x0 = 1024 - 304;
    overlays.DrawClock();
    return glyphs.text;
  }

  fake::FakeClock clock;
  TextGlyphs glyphs;
  prumya::Overlays overlays{config, clock, glyphs};
};

// Off draws nothing; on, the clock's colons show in the first half second
// and the frame rate's arrow in the first 100 ms after a rollover. The frame
// hashes pin the same cells over whole seconds of frames.
TEST_F(OverlaysTest, ClockAndFrameRateOnlyWhenSwitchedOn) {
  EXPECT_EQ("", RateAfter(0));
  EXPECT_EQ("", ClockAt(23, 59, 59, 200));
  config.settings.showFrameRate = config.settings.showClock = 1;
  EXPECT_EQ("0000[F/5] 0001", RateAfter(100));
  EXPECT_EQ("0002[F/5]<0000", RateAfter(900));
  EXPECT_EQ(768 - 17, glyphs.y);
  EXPECT_EQ("2024/12/31 09:05:07", ClockAt(9, 5, 7, 499));
  EXPECT_EQ("2024/12/31 23 59 59", ClockAt(23, 59, 59, 500));
  EXPECT_EQ(768 - 17, glyphs.y);
}

}  // namespace
