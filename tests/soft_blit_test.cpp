// Colour fills and rectangle copies of software surfaces, on whole rows (one
// run of memory) and on parts of rows, between surfaces and within one.
#include <gtest/gtest.h>

#include <cstdint>

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
    desc.width = kW;
    desc.height = kH;
    plat::ISurface* s = nullptr;
    EXPECT_EQ(plat::kOk, device.CreateSurface(desc, &s));
    return static_cast<SoftSurface*>(s);
  }
  plat::soft::SoftDisplayDevice device;
};

std::uint32_t At(SoftSurface* s, std::int32_t x, std::int32_t y) {
  return plat::soft::ReadPixel(s->View(), x, y);
}

// A distinct value per pixel, fitting either layout.
std::uint32_t Pattern(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>(0x100 * y + 7 * x + 1);
}

void Paint(SoftSurface* s) {
  for (std::int32_t y = 0; y < kH; ++y) {
    for (std::int32_t x = 0; x < kW; ++x) plat::soft::WritePixel(s->View(), x, y, Pattern(x, y));
  }
}

TEST(SoftBlit, FillsEveryPixelWithAnyValue) {
  for (std::int32_t bpp : {16, 32}) {
    for (std::uint32_t value : {0x0u, 0x1234u, 0xFFFFu, 0x00ABCDEFu, 0x01010101u}) {
      Device d(bpp);
      SoftSurface* s = d.Plain();
      Paint(s);
      ASSERT_EQ(plat::kOk, s->ColourFill(value));
      const std::uint32_t want = bpp == 16 ? (value & 0xFFFFu) : value;
      for (std::int32_t y = 0; y < kH; ++y) {
        for (std::int32_t x = 0; x < kW; ++x) {
          ASSERT_EQ(want, At(s, x, y)) << bpp << " " << value << " " << x << "," << y;
        }
      }
    }
  }
}

TEST(SoftBlit, CopiesWholeRowsAndPartsOfRows) {
  for (std::int32_t bpp : {16, 32}) {
    Device d(bpp);
    SoftSurface* from = d.Plain();
    SoftSurface* to = d.Plain();
    Paint(from);
    ASSERT_EQ(plat::kOk, to->Copy({0, 2, kW, 6}, *from, {0, 4, kW, 8}));  // whole rows
    ASSERT_EQ(plat::kOk, to->Copy({3, 7, 8, 9}, *from, {5, 1, 10, 3}));   // parts of rows
    for (std::int32_t y = 0; y < kH; ++y) {
      for (std::int32_t x = 0; x < kW; ++x) {
        std::uint32_t want = 0;
        if (y >= 2 && y < 6) want = Pattern(x, y + 2);
        if (y >= 7 && x >= 3 && x < 8) want = Pattern(x + 2, y - 6);
        ASSERT_EQ(want, At(to, x, y)) << bpp << " at " << x << "," << y;
      }
    }
  }
}

TEST(SoftBlit, OverlappingCopiesWithinOneSurface) {
  struct Case {
    plat::Rect dst, src;
  };
  const Case cases[] = {
      {{0, 2, kW, 8}, {0, 0, kW, 6}},  // whole rows, downwards
      {{0, 0, kW, 6}, {0, 2, kW, 8}},  // whole rows, upwards
      {{2, 3, 9, 8}, {1, 1, 8, 6}},    // parts of rows, down and right
      {{1, 1, 8, 6}, {2, 3, 9, 8}},    // parts of rows, up and left
  };
  for (std::int32_t bpp : {16, 32}) {
    for (const Case& c : cases) {
      Device d(bpp);
      SoftSurface* s = d.Plain();
      Paint(s);
      ASSERT_EQ(plat::kOk, s->Copy(c.dst, *s, c.src));
      for (std::int32_t y = 0; y < kH; ++y) {
        for (std::int32_t x = 0; x < kW; ++x) {
          const bool inside = x >= c.dst.left && x < c.dst.right && y >= c.dst.top && y < c.dst.bottom;
          const std::uint32_t want =
              inside ? Pattern(x - c.dst.left + c.src.left, y - c.dst.top + c.src.top) : Pattern(x, y);
          ASSERT_EQ(want, At(s, x, y)) << bpp << " at " << x << "," << y;
        }
      }
    }
  }
}

// Source pixels whose value lies in the key range keep the destination's;
// ranges reaching past the layout's values end at its largest one, and an
// empty range keys nothing.
TEST(SoftBlit, KeyedCopiesKeepTheDestinationUnderTheKey) {
  struct Case {
    std::int32_t bpp;
    std::uint32_t low, high;
  };
  const Case cases[] = {
      {16, 0x0, 0x0},      {32, 0x0, 0x0},       {16, 0x103, 0x20A},     {32, 0x103, 0x20A},
      {16, 0x30, 0x20},    {32, 0x30, 0x20},     {16, 0x500, 0x12345},   {16, 0x10000, 0x10005},
      {32, 0x0, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    Device d(c.bpp);
    SoftSurface* from = d.Plain();
    SoftSurface* to = d.Plain();
    Paint(from);
    plat::soft::WritePixel(from->View(), 4, 2, 0);  // a black pixel among the pattern
    ASSERT_EQ(plat::kOk, to->ColourFill(0x77));
    ASSERT_EQ(plat::kOk, from->SetColourKey(c.low, c.high));
    ASSERT_EQ(plat::kOk, to->CopyKeyed(1, 1, *from, {2, 0, 10, 7}));
    for (std::int32_t y = 0; y < kH; ++y) {
      for (std::int32_t x = 0; x < kW; ++x) {
        std::uint32_t want = 0x77;
        if (x >= 1 && x < 9 && y >= 1 && y < 8) {
          const std::uint32_t source = plat::soft::ReadPixel(from->View(), x + 1, y - 1);
          if (source < c.low || source > c.high) want = source;
        }
        ASSERT_EQ(want, At(to, x, y))
            << c.bpp << " key " << c.low << ".." << c.high << " at " << x << "," << y;
      }
    }
  }
}

TEST(SoftBlit, SurfacesStartBlack) {
  Device d(32);
  SoftSurface* s = d.Plain();
  for (std::int32_t y = 0; y < kH; ++y) {
    for (std::int32_t x = 0; x < kW; ++x) ASSERT_EQ(0u, At(s, x, y));
  }
}

}  // namespace
