// Windows bitmaps from bytes, as LoadImageA reads them from a file or a
// resource: uncompressed (BI_RGB) 1, 4, 8, 16, 24 and 32 bits per pixel,
// bottom-up or top-down, with or without the 14-byte file header, and with
// a core, info, V4 or V5 header. Anything truncated, oversized or malformed
// is refused; the parser never reads outside the given bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/soft/soft_bitmap.h"

namespace plat::soft {

constexpr std::int32_t kMaxBitmapSide = 16384;
constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 24;
// Largest bitmap file worth reading: the largest pixel budget at 32 bits plus
// headers, palette and row padding.
constexpr std::size_t kMaxBitmapFileBytes = static_cast<std::size_t>(kMaxBitmapPixels) * 4 + (1 << 20);

// Null when the bytes are not a bitmap we can read (or memory is short).
std::unique_ptr<SoftBitmap> ParseBmp(const std::uint8_t* data, std::size_t size);

}  // namespace plat::soft
