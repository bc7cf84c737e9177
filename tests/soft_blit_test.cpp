// Rectangle copies of software surfaces, on whole rows (one run of memory)
// and on parts of rows, between surfaces and within one.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/soft/soft_display.h"
#include "platform/soft/soft_surface.h"

namespace {

using plat::soft::SoftSurface;

constexpr std::int32_t kW = 12, kH = 9;

struct Device {
  explicit Device(std::int32_t bpp) : device(kW, kH, bpp) {
    device.Create();
    device.SetDisplayMode(kW, kH, bpp);
  }
  SoftSurface* Plain() {
    plat::SurfaceDesc desc;
    desc.flags = plat::kDdsdCaps | plat::kDdsdWidth | plat::kDdsdHeight;
    desc.caps = plat::kDdsCapsOffscreenPlain;
    desc.width = kW, desc.height = kH;
    plat::ISurface* s = nullptr;
    EXPECT_EQ(plat::kOk, device.CreateSurface(desc, &s));
    return static_cast<SoftSurface*>(s);
  }
  plat::soft::SoftDisplayDevice device;
};

// A distinct value per pixel, fitting either layout.
std::uint32_t Pattern(std::int32_t x, std::int32_t y) { return static_cast<std::uint32_t>(0x100 * y + 7 * x + 1); }

SoftSurface* Painted(SoftSurface* s) {
  for (std::int32_t y = 0; y < kH; ++y)
    for (std::int32_t x = 0; x < kW; ++x) plat::soft::WritePixel(s->View(), x, y, Pattern(x, y));
  return s;
}

void ExpectPixels(SoftSurface* s, const std::function<std::uint32_t(std::int32_t, std::int32_t)>& want) {
  for (std::int32_t y = 0; y < kH; ++y)
    for (std::int32_t x = 0; x < kW; ++x) ASSERT_EQ(want(x, y), plat::soft::ReadPixel(s->View(), x, y)) << x << "," << y;
}

// Whole rows are one run of memory, parts of rows are not; within one
// surface the copy must not read what it has already written.
TEST(SoftBlit, CopiesWholeRowsAndPartsOfRowsAcrossAndWithinSurfaces) {
  const plat::Rect cases[][2] = {
      {{0, 2, kW, 8}, {0, 0, kW, 6}},  // whole rows, downwards
      {{0, 0, kW, 6}, {0, 2, kW, 8}},  // whole rows, upwards
      {{2, 3, 9, 8}, {1, 1, 8, 6}},    // parts of rows, down and right
      {{1, 1, 8, 6}, {2, 3, 9, 8}},    // parts of rows, up and left
  };
  for (std::int32_t bpp : {16, 32}) {
    for (bool within : {false, true}) {
      for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(bpp) + (within ? " within" : " across") + " to " + std::to_string(c[0].left) +
                     "," + std::to_string(c[0].top));
        Device d(bpp);
        SoftSurface* from = Painted(d.Plain());
        SoftSurface* to = within ? from : d.Plain();
        const plat::Rect dst = c[0], src = c[1];
        ASSERT_EQ(plat::kOk, to->Copy(dst, *from, src));
        ExpectPixels(to, [&](std::int32_t x, std::int32_t y) {
          const bool inside = x >= dst.left && x < dst.right && y >= dst.top && y < dst.bottom;
          return inside ? Pattern(x - dst.left + src.left, y - dst.top + src.top) : (within ? Pattern(x, y) : 0u);
        });
      }
    }
  }
}

// A copy neither stretches nor reads a lost source; both leave the
// destination as it was.
TEST(SoftBlit, UnequalRectsAndLostSourcesAreRefused) {
  Device d(32);
  SoftSurface* from = Painted(d.Plain());
  SoftSurface* to = d.Plain();
  EXPECT_EQ(plat::kDdErrInvalidRect, to->Copy({0, 0, kW, 4}, *from, {0, 0, kW, 8}));
  EXPECT_EQ(plat::kDdErrInvalidRect, to->Copy({0, 0, 4, kH}, *from, {0, 0, 8, kH}));
  from->MarkLost();
  EXPECT_EQ(plat::kDdErrSurfaceLost, to->Copy({0, 0, kW, kH}, *from, {0, 0, kW, kH}));
  ExpectPixels(to, [](std::int32_t, std::int32_t) { return 0u; });
}

// The primary takes the desktop's mode, also one learnt after the device was
// made, and describes its size and pixel format.
TEST(SoftBlit, PrimaryDescribesTheDesktopMode) {
  for (std::int32_t bpp : {16, 32}) {
    plat::soft::SoftDisplayDevice device(kW, kH, 32);
    device.Create();
    device.SetDesktop(kW + 3, kH + 2, bpp);
    plat::SurfaceDesc desc;
    desc.flags = plat::kDdsdCaps, desc.caps = plat::kDdsCapsPrimarySurface;
    plat::ISurface* s = nullptr;
    plat::PixelFormat f;
    ASSERT_EQ(plat::kOk, device.CreateSurface(desc, &s));
    ASSERT_TRUE(s->GetSurfaceDesc(desc) == plat::kOk && s->GetPixelFormat(f) == plat::kOk);
    EXPECT_EQ((std::vector<std::uint32_t>{kW + 3, kH + 2, std::uint32_t(bpp), bpp == 16 ? 0xF800u : 0xFF0000u}),
              (std::vector<std::uint32_t>{std::uint32_t(desc.width), std::uint32_t(desc.height), f.rgbBitCount, f.redMask}));
  }
}

}  // namespace
