// The wide-pen fill against the row-by-row definition of the shape: the same
// pixels for every width, slope and clipping, in both pixel layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/random.h"
#include "platform/soft/wide_pen.h"
#include "tests/display_rig.h"

namespace {

using plat::soft::PixelLayout;
using plat::soft::PixelSpan;
using plat::soft::PixelView;
using plat::soft::WideStroke;

constexpr std::int32_t kW = 64, kH = 48;

using testrig::Canvas;

// What the stroke's rows define, clipped to the view.
void DrawByRows(const WideStroke& stroke, const PixelView& v, std::uint32_t pixel) {
  PixelSpan spans[3];
  const std::int64_t top = std::max<std::int64_t>(stroke.Top(), 0);
  const std::int64_t bottom = std::min<std::int64_t>(stroke.Bottom(), v.height);
  for (std::int64_t y = top; y < bottom; ++y) {
    const int n = stroke.Row(y, spans);
    for (int i = 0; i < n; ++i) {
      const std::int64_t end = std::min<std::int64_t>(spans[i].end, v.width);
      for (std::int64_t x = std::max<std::int64_t>(spans[i].first, 0); x < end; ++x) {
        plat::soft::WritePixel(v, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), pixel);
      }
    }
  }
}

void ExpectSamePixels(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t width,
                      PixelLayout layout) {
  const std::uint32_t pixel = layout == PixelLayout::Rgb565 ? 0xA5C3u : 0x00C3A5E7u;
  Canvas byRows(kW, kH, layout), filled(kW, kH, layout);
  const WideStroke stroke(x1, y1, x2, y2, width);
  DrawByRows(stroke, byRows.view, pixel);
  stroke.Fill(filled.view, pixel);
  ASSERT_EQ(byRows.memory, filled.memory)
      << x1 << "," << y1 << " - " << x2 << "," << y2 << " width " << width;
}

// Random ends up to 40 pixels outside the view and widths past the shared
// table, after far ends and the widest pen.
TEST(WidePen, FillLightsExactlyTheRowsOfTheShape) {
  qrx::Random random;
  random.Seed(7);
  for (PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Xrgb8888}) {
    ExpectSamePixels(-200000, -150000, 250000, 180000, 9, layout);
    ExpectSamePixels(-3000, 20, 4000, 27, 1024, layout);
    for (int i = 0; i < 4000; ++i) {
      const std::int64_t x1 = random.UpTo(kW + 80) - 40, y1 = random.UpTo(kH + 80) - 40;
      const bool horizontal = i % 8 == 1 || i % 8 == 3, vertical = i % 8 == 2 || i % 8 == 3;  // 3: a dot
      const std::int64_t x2 = vertical ? x1 : random.UpTo(kW + 80) - 40, y2 = horizontal ? y1 : random.UpTo(kH + 80) - 40;
      ExpectSamePixels(x1, y1, x2, y2, 2 + random.UpTo(i % 2 == 0 ? 10 : 40), layout);
    }
  }
}

}  // namespace
