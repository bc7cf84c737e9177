#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/soft/line_raster.h"
#include "platform/soft/soft_bitmap.h"
#include "platform/soft/soft_dc.h"
#include "tests/display_rig.h"

namespace {

using plat::soft::PixelLayout;
using plat::soft::PixelView;

using testrig::Canvas;

// Distance from (px, py) to the segment, in pixels.
double Distance(double px, double py, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0, l2 = dx * dx + dy * dy;
  const double t = std::clamp(l2 == 0 ? 0 : ((px - x0) * dx + (py - y0) * dy) / l2, 0.0, 1.0);
  return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

// One pixel per step of the major axis, within half a pixel of the ideal
// line, the end itself left out; width 0 is one pixel too; a dot is nothing.
TEST(Rasteriser, OnePixelLinesFollowTheIdealLineAndStopShortOfTheEnd) {
  const int ends[][4] = {{2, 3, 12, 3},  {30, 30, 20, 20}, {0, 0, 37, 11}, {37, 11, 0, 0}, {5, 40, 19, 1},
                         {50, 3, 2, 29}, {9, 9, 31, 20},   {31, 20, 9, 9}, {4, 4, 4, 4}};
  for (const auto& e : ends) {
    SCOPED_TRACE(std::to_string(e[0]) + "," + std::to_string(e[1]) + " - " + std::to_string(e[2]) + "," + std::to_string(e[3]));
    Canvas c(64, 64);
    plat::soft::DrawLine(c.view, e[0], e[1], e[2], e[3], e[0] == 30 ? 0 : 1, 7);
    EXPECT_EQ(std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1])), c.Lit());
    EXPECT_EQ(0u, c.At(e[2], e[3]));
    EXPECT_EQ(e[0] != e[2] || e[1] != e[3] ? 7u : 0u, c.At(e[0], e[1]));
    const bool xMajor = std::abs(e[2] - e[0]) >= std::abs(e[3] - e[1]);
    for (std::int32_t y = 0; y < 64; ++y) {
      for (std::int32_t x = 0; x < 64; ++x) {
        if (c.At(x, y) == 0) continue;
        const double t = xMajor ? double(x - e[0]) / (e[2] - e[0]) : double(y - e[1]) / (e[3] - e[1]);
        const double ideal = xMajor ? e[1] + t * (e[3] - e[1]) : e[0] + t * (e[2] - e[0]);
        EXPECT_LE(std::fabs((xMajor ? y : x) - ideal), 0.5 + 1e-9) << x << "," << y;
      }
    }
  }
}

TEST(Rasteriser, WideLinesStayCloseToTheirCapsule) {
  // Round ends and whole-pixel half-widths: every pixel well inside the
  // capsule is lit, none well outside. Even widths sit half a pixel up and
  // left, as GDI places them.
  const double segs[][4] = {{20, 20, 80, 35}, {70, 10, 30, 90}, {50, 50, 50, 50}, {10, 60, 90, 60}, {40, 15, 40, 85}};
  for (PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Xrgb8888}) {
    for (int width : {2, 3, 6, 8, 15}) {
      for (const auto& s : segs) {
        Canvas c(100, 100, layout);
        plat::soft::DrawLine(c.view, int(s[0]), int(s[1]), int(s[2]), int(s[3]), width, 0xABCD);
        const double r = width / 2.0, shift = width % 2 == 0 ? -0.5 : 0.0;
        for (std::int32_t y = 0; y < 100; ++y) {
          for (std::int32_t x = 0; x < 100; ++x) {
            const double d = Distance(x, y, s[0] + shift, s[1] + shift, s[2] + shift, s[3] + shift);
            const std::uint32_t want = d < r - 1.0 ? 0xABCDu : (d > r + 1.5 ? 0u : c.At(x, y));
            ASSERT_EQ(want, c.At(x, y)) << width << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(Rasteriser, ExtremeWidthAndEmptyViewsAreSafe) {
  Canvas c(30, 20);
  plat::soft::DrawLine(c.view, 5, 5, 6, 6, 1 << 30, 1);
  EXPECT_EQ(30 * 20, c.Lit());
  PixelView empty;
  plat::soft::DrawLine(empty, 0, 0, 10, 10, 8, 1);
}

// A 16-bit pixel reads back with each field widened by repeating its top bits.
TEST(SoftDeviceContext, ShortFieldsWidenByRepeatingTheirTopBits) {
  EXPECT_EQ(0x848284u, plat::soft::RgbFromNative(PixelLayout::Rgb565, 0x8410));  // 16, 32, 16
}

// Stretching samples the pixel under each destination pixel's centre; columns
// that fall past the bitmap's edge keep the destination's pixel.
TEST(SoftDeviceContext, StretchedBitmapsStopAtTheSourceEdge) {
  plat::soft::SoftBitmap bitmap(2, 2, std::unique_ptr<std::uint32_t[]>(new std::uint32_t[4]{1, 2, 3, 4}));
  Canvas c(4, 2);
  plat::soft::SoftDeviceContext(c.view).StretchBitmap(0, 0, 4, 2, bitmap, 0, 0, 4, 1);
  EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 0, 0, 1, 2, 0, 0}), c.memory);
}

}  // namespace
