#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/soft/bmp_parser.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "tests/display_rig.h"
#include "tests/scratch_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A DIB with an info header: width x height at bpp, palette of `colours`
// entries (entry i = 0x00i0i0i0 & 0xFFFFFF), pixels from index(x, y) with y
// from the top. Stored bottom-up unless topDown.
template <typename IndexFn>
Bytes MakeDib(std::int32_t width, std::int32_t height, int bpp, int colours, bool topDown, bool fileHeader,
              IndexFn value) {
  const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  const std::size_t head = fileHeader ? 14 : 0, pixelsAt = head + 40 + 4 * colours;
  Bytes b(pixelsAt + stride * height, 0);
  if (fileHeader) {
    b[0] = 'B', b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, static_cast<std::uint32_t>(pixelsAt), 4);
  }
  Put(b, head, 40, 4);
  Put(b, head + 4, static_cast<std::uint32_t>(width), 4);
  Put(b, head + 8, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  Put(b, head + 12, 1, 2);
  Put(b, head + 14, static_cast<std::uint32_t>(bpp), 2);
  Put(b, head + 32, static_cast<std::uint32_t>(colours), 4);
  for (int i = 0; i < colours; ++i) Put(b, head + 40 + 4 * i, (0x10101u * (i * 16 + 1)) & 0xFFFFFF, 4);
  for (std::int32_t y = 0; y < height; ++y) {
    const std::size_t row = pixelsAt + stride * (topDown ? y : height - 1 - y);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, y);
      if (bpp < 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bpp;
        b[row + bit / 8] |= static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
      } else {
        Put(b, row + static_cast<std::size_t>(x) * (bpp / 8), v, bpp / 8);
      }
    }
  }
  return b;
}

std::uint32_t PaletteRgb(int i) { return (0x10101u * (i * 16 + 1)) & 0xFFFFFF; }

TEST(Bmp, IndexedDepthsBothDirectionsWithAndWithoutFileHeader) {
  for (int bpp : {1, 4, 8}) {
    for (bool topDown : {false, true}) {
      for (bool fileHeader : {false, true}) {
        const int colours = bpp == 1 ? 2 : (bpp == 4 ? 16 : 12);
        auto index = [&](std::int32_t x, std::int32_t y) { return static_cast<std::uint32_t>((x + 3 * y) % colours); };
        const Bytes b = MakeDib(13, 5, bpp, colours, topDown, fileHeader, index);
        const auto bitmap = plat::soft::ParseBmp(b.data(), b.size());
        ASSERT_TRUE(bitmap) << bpp;
        EXPECT_EQ(13, bitmap->Width());
        EXPECT_EQ(5, bitmap->Height());
        for (std::int32_t y = 0; y < 5; ++y) {
          for (std::int32_t x = 0; x < 13; ++x) ASSERT_EQ(PaletteRgb(index(x, y)), bitmap->Rgb(x, y)) << bpp;
        }
      }
    }
  }
}

TEST(Bmp, DirectColourDepths) {
  auto rgb = [](std::int32_t x, std::int32_t y) { return static_cast<std::uint32_t>((x * 20) << 16 | (y * 30) << 8 | 7); };
  for (int bpp : {24, 32}) {
    const Bytes b = MakeDib(7, 3, bpp, 0, false, true, rgb);
    const auto bitmap = plat::soft::ParseBmp(b.data(), b.size());
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(rgb(6, 2), bitmap->Rgb(6, 2));
  }
  const Bytes b16 = MakeDib(2, 1, 16, 0, true, false, [](std::int32_t x, std::int32_t) { return x ? 0x7FFFu : 0x7C00u; });
  const auto bitmap = plat::soft::ParseBmp(b16.data(), b16.size());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(0xFF0000u, bitmap->Rgb(0, 0));
  EXPECT_EQ(0xFFFFFFu, bitmap->Rgb(1, 0));
}

TEST(Bmp, EveryTruncationIsRefusedWithoutOverRead) {
  const Bytes full = MakeDib(9, 4, 4, 16, false, true, [](std::int32_t x, std::int32_t) { return std::uint32_t(x); });
  ASSERT_TRUE(plat::soft::ParseBmp(full.data(), full.size()));
  for (std::size_t n = 0; n < full.size(); ++n) {
    // Exact-size copies so a sanitizer sees any read past the end.
    const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(plat::soft::ParseBmp(cut.data(), cut.size())) << n;
  }
  EXPECT_FALSE(plat::soft::ParseBmp(nullptr, 10));
}

TEST(Bmp, MalformedAndOversizedAreRefused) {
  const Bytes good = MakeDib(4, 4, 8, 4, false, true, [](std::int32_t, std::int32_t) { return 1u; });
  auto refused = [](Bytes b) { return !plat::soft::ParseBmp(b.data(), b.size()); };
  auto with = [&](std::size_t at, std::uint32_t v, int size) {
    Bytes b = good;
    Put(b, at, v, size);
    return b;
  };
  EXPECT_TRUE(refused(with(14, 41, 4)));          // unknown header size
  EXPECT_TRUE(refused(with(14, 0xFFFFFFF0u, 4)));  // header size beyond the data
  EXPECT_TRUE(refused(with(18, 0, 4)));           // zero width
  EXPECT_TRUE(refused(with(18, 0x80000000u, 4)));  // negative width
  EXPECT_TRUE(refused(with(22, 0x80000000u, 4)));  // height INT_MIN
  EXPECT_TRUE(refused(with(18, 16385, 4)));       // side beyond the cap
  EXPECT_TRUE(refused(with(26, 2, 2)));           // planes
  EXPECT_TRUE(refused(with(28, 7, 2)));           // bit count
  EXPECT_TRUE(refused(with(30, 1, 4)));           // RLE compression
  EXPECT_TRUE(refused(with(30, 3, 4)));           // bit fields
  EXPECT_TRUE(refused(with(46, 257, 4)));         // more colours than 8 bits index
  EXPECT_TRUE(refused(with(10, 20, 4)));          // pixels inside the header
  EXPECT_TRUE(refused(with(10, 0xFFFFFF00u, 4)));  // pixels beyond the data
  // 16384 x 16384 claims more pixels than the budget, whatever the data.
  Bytes huge = with(18, 16384, 4);
  Put(huge, 22, 16384, 4);
  EXPECT_TRUE(refused(huge));
  // Indices beyond a short palette read as black instead of past the palette.
  const Bytes shortPalette = MakeDib(2, 1, 8, 2, false, false, [](std::int32_t x, std::int32_t) { return x ? 200u : 1u; });
  const auto bitmap = plat::soft::ParseBmp(shortPalette.data(), shortPalette.size());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(PaletteRgb(1), bitmap->Rgb(0, 0));
  EXPECT_EQ(0u, bitmap->Rgb(1, 0));
}

TEST(Bmp, CoreHeaderWithThreeBytePalette) {
  Bytes b(12 + 2 * 3 + 4, 0);
  Put(b, 0, 12, 4), Put(b, 4, 3, 2), Put(b, 6, 1, 2), Put(b, 8, 1, 2), Put(b, 10, 1, 2);
  b[15] = 0xFF, b[16] = 0x80, b[17] = 0x01;  // entry 1: blue FF, green 80, red 01
  b[18] = 0x40;                              // pixels 0 1 0
  const auto bitmap = plat::soft::ParseBmp(b.data(), b.size());
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(0u, bitmap->Rgb(0, 0));
  EXPECT_EQ(0x0180FFu, bitmap->Rgb(1, 0));
}

TEST(BitmapLoader, ResourceAndBoundedFile) {
  plat::soft::SoftBitmapLoader loader;
  plat::IBitmap* font = loader.LoadResource("font01");
  ASSERT_NE(nullptr, font);
  EXPECT_EQ(256, font->Width());
  loader.Delete(font);
  EXPECT_EQ(nullptr, loader.LoadResource("nosuch"));
  EXPECT_EQ(nullptr, loader.LoadResource(nullptr));
  testutil::ScratchDir scratch("bmp");
  const std::string path =
      scratch.Write("loader.bmp", testrig::MakeBmp24(3, 2, [](std::int32_t, std::int32_t) { return 0x123456u; }));
  plat::IBitmap* file = loader.LoadFile(path.c_str());
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(3, file->Width());
  loader.Delete(file);
  loader.Delete(nullptr);
  EXPECT_EQ(nullptr, loader.LoadFile((path + ".missing").c_str()));
  EXPECT_EQ(nullptr, loader.LoadFile(""));
}

}  // namespace
