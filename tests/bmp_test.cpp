#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "platform/soft/bmp_parser.h"
#include "tests/display_rig.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testrig::MakeDib;
using testrig::PaletteRgb;
using testrig::Put;

TEST(Bmp, EveryDepthBothDirectionsWithAndWithoutFileHeader) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      for (bool fileHeader : {false, true}) {
        SCOPED_TRACE(std::to_string(bpp) + (topDown ? " top-down" : "") + (fileHeader ? " file" : ""));
        const int colours = bpp == 1 ? 2 : (bpp == 4 ? 16 : (bpp == 8 ? 12 : 0));
        auto value = [&](std::int32_t x, std::int32_t y) {
          return colours ? static_cast<std::uint32_t>((x + 3 * y) % colours) : static_cast<std::uint32_t>((x * 20) << 16 | (y * 30) << 8 | 7);
        };
        const Bytes b = MakeDib(13, 5, bpp, colours, topDown, fileHeader, value);
        const auto bitmap = plat::soft::ParseBmp(b.data(), b.size());
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(13, bitmap->Width());
        EXPECT_EQ(5, bitmap->Height());
        for (std::int32_t y = 0; y < 5; ++y)
          for (std::int32_t x = 0; x < 13; ++x)
            ASSERT_EQ(colours ? PaletteRgb(value(x, y)) : value(x, y), bitmap->Rgb(x, y)) << x << "," << y;
      }
    }
  }
  // 16 bits are 5-5-5, widened to full brightness.
  const Bytes b16 = MakeDib(2, 1, 16, 0, true, false, [](std::int32_t x, std::int32_t) { return x ? 0x7FFFu : 0x7C00u; });
  const auto bitmap = plat::soft::ParseBmp(b16.data(), b16.size());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(0xFF0000u, bitmap->Rgb(0, 0));
  EXPECT_EQ(0xFFFFFFu, bitmap->Rgb(1, 0));
  // A core header (3 x 1, one plane, 1 bit) with a three-byte palette whose
  // entry 1 is blue FF, green 80, red 01; pixels 0 1 0.
  const Bytes core = {12, 0, 0, 0, 3, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0xFF, 0x80, 0x01, 0x40, 0, 0, 0};
  const auto fromCore = plat::soft::ParseBmp(core.data(), core.size());
  ASSERT_TRUE(fromCore);
  EXPECT_EQ(0u, fromCore->Rgb(0, 0));
  EXPECT_EQ(0x0180FFu, fromCore->Rgb(1, 0));
  // Longer info headers: the extra fields are skipped.
  for (std::uint32_t size : {56u, 108u, 124u}) {
    Bytes longer = MakeDib(2, 1, 24, 0, true, false, [](std::int32_t x, std::int32_t) { return x + 5u; });
    longer.insert(longer.begin() + 40, size - 40, 0);
    Put(longer, 0, size, 4);
    const auto fromLonger = plat::soft::ParseBmp(longer.data(), longer.size());
    ASSERT_TRUE(fromLonger) << size;
    EXPECT_EQ(6u, fromLonger->Rgb(1, 0));
  }
}

TEST(Bmp, EveryTruncationIsRefusedWithoutOverRead) {
  const Bytes full = MakeDib(9, 4, 4, 16, false, true, [](std::int32_t x, std::int32_t) { return std::uint32_t(x); });
  ASSERT_TRUE(plat::soft::ParseBmp(full.data(), full.size()));
  for (std::size_t n = 0; n < full.size(); ++n) {
    const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));  // exact size, for the sanitizers
    EXPECT_FALSE(plat::soft::ParseBmp(cut.data(), cut.size())) << n;
  }
  EXPECT_FALSE(plat::soft::ParseBmp(nullptr, 10));
}

TEST(Bmp, MalformedAndOversizedAreRefused) {
  const Bytes good = MakeDib(4, 4, 8, 4, false, true, [](std::int32_t, std::int32_t) { return 1u; });
  using Change = std::tuple<std::size_t, std::uint32_t, int>;  // offset, value, size
  // Header size unknown or beyond the data; width zero, negative or beyond the
  // cap; height INT_MIN; planes; bit count; RLE; bit fields; more colours than
  // 8 bits index; pixels inside the header or beyond the data; 16384 x 16384.
  const std::vector<std::vector<Change>> broken = {
      {{14, 41, 4}}, {{14, 0xFFFFFFF0u, 4}}, {{18, 0, 4}}, {{18, 0x80000000u, 4}}, {{22, 0x80000000u, 4}},
      {{18, 16385, 4}}, {{26, 2, 2}}, {{28, 7, 2}}, {{30, 1, 4}}, {{30, 3, 4}}, {{46, 257, 4}},
      {{10, 20, 4}}, {{10, 0xFFFFFF00u, 4}}, {{18, 16384, 4}, {22, 16384, 4}}};
  for (const auto& changes : broken) {
    Bytes b = good;
    for (const auto& [at, value, size] : changes) Put(b, at, value, size);
    EXPECT_FALSE(plat::soft::ParseBmp(b.data(), b.size())) << std::get<0>(changes[0]) << " = " << std::get<1>(changes[0]);
  }
  for (std::int32_t side : {16384, 16385}) {  // the longest side taken, and one more
    const Bytes wide = MakeDib(side, 1, 1, 2, false, false, [](std::int32_t, std::int32_t) { return 1u; });
    const Bytes tall = MakeDib(1, side, 1, 2, false, false, [](std::int32_t, std::int32_t) { return 1u; });
    EXPECT_EQ(side == 16384, plat::soft::ParseBmp(wide.data(), wide.size()) != nullptr) << side;
    EXPECT_EQ(side == 16384, plat::soft::ParseBmp(tall.data(), tall.size()) != nullptr) << side;
  }
  // Indices beyond a short palette read as black instead of past the palette.
  const Bytes shortPalette = MakeDib(2, 1, 8, 2, false, false, [](std::int32_t x, std::int32_t) { return x ? 200u : 1u; });
  const auto bitmap = plat::soft::ParseBmp(shortPalette.data(), shortPalette.size());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(PaletteRgb(1), bitmap->Rgb(0, 0));
  EXPECT_EQ(0u, bitmap->Rgb(1, 0));
}

}  // namespace
