// The wide-pen fill against the row-by-row definition of the shape: the same
// pixels for every width, slope and clipping, in both pixel layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/random.h"
#include "platform/soft/run_fill.h"
#include "platform/soft/wide_pen.h"

namespace {

using plat::soft::PixelLayout;
using plat::soft::PixelSpan;
using plat::soft::PixelView;
using plat::soft::WideStroke;

constexpr std::int32_t kW = 64, kH = 48;

struct Canvas {
  explicit Canvas(PixelLayout layout) : memory(kW * kH, 0) {
    const std::int32_t pitch = kW * plat::soft::BytesPerPixel(layout);
    view = PixelView{reinterpret_cast<std::uint8_t*>(memory.data()), pitch, kW, kH, layout};
  }
  std::vector<std::uint32_t> memory;  // room for either layout
  PixelView view;
};

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
  Canvas byRows(layout), filled(layout);
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
    ExpectSamePixels(30, 20, 31, 21, 1024, layout);
    for (int i = 0; i < 4000; ++i) {
      const std::int64_t x1 = random.UpTo(kW + 80) - 40, y1 = random.UpTo(kH + 80) - 40;
      const bool horizontal = i % 8 == 1 || i % 8 == 3, vertical = i % 8 == 2 || i % 8 == 3;  // 3: a dot
      const std::int64_t x2 = vertical ? x1 : random.UpTo(kW + 80) - 40, y2 = horizontal ? y1 : random.UpTo(kH + 80) - 40;
      ExpectSamePixels(x1, y1, x2, y2, 2 + random.UpTo(i % 2 == 0 ? 10 : 40), layout);
    }
  }
}

TEST(RunFill, EveryLengthAndPhase) {
  for (std::size_t bpp : {2u, 4u}) {
    const std::uint32_t value = bpp == 2 ? 0xBEEFu : 0x01234567u;
    const plat::soft::RunFill fill = bpp == 2 ? plat::soft::RunFill(static_cast<std::uint16_t>(value))
                                              : plat::soft::RunFill(value);
    for (std::size_t start = 0; start < 5; ++start) {
      for (std::size_t pixels = 0; pixels <= 40; ++pixels) {
        std::array<std::uint8_t, 256> row{}, want{};
        fill.Fill(row.data() + start * bpp, pixels * bpp);
        for (std::size_t p = start; p < start + pixels; ++p) std::memcpy(&want[p * bpp], &value, bpp);  // little-endian
        ASSERT_EQ(want, row) << bpp << " bytes, start " << start << ", " << pixels << " pixels";
      }
    }
  }
}

}  // namespace
