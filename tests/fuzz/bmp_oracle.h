// Checks the BMP parser on any bytes: it refuses or returns a bitmap whose
// size lies within the limits and whose every pixel can be read. Shared by
// the fuzz target (clang) and the regression test (both builds): ASCII only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/soft/bmp_parser.h"

namespace bmpcheck {

inline std::string CheckBmpInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<plat::soft::SoftBitmap> bitmap = plat::soft::ParseBmp(data, size);
  if (!bitmap) return {};
  const std::int32_t w = bitmap->Width(), h = bitmap->Height();
  if (w < 1 || h < 1 || w > plat::soft::kMaxBitmapSide || h > plat::soft::kMaxBitmapSide ||
      std::int64_t{w} * h > plat::soft::kMaxBitmapPixels)
    return "bitmap of " + std::to_string(w) + "x" + std::to_string(h) + " accepted";
  std::uint32_t any = 0;
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) any |= bitmap->Rgb(x, y);
  if (any > 0xFFFFFF) return "a pixel has bits beyond 0x00RRGGBB";
  return {};
}

}  // namespace bmpcheck
