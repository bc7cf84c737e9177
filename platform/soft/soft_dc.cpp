#include "platform/soft/soft_dc.h"

#include <algorithm>

#include "platform/soft/line_raster.h"
#include "platform/soft/soft_bitmap.h"

namespace plat::soft {

void SoftDeviceContext::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                             std::int32_t width, ColourRef colour) {
  if (!attached_) return;
  DrawLine(view_, x1, y1, x2, y2, width, NativeFromColour(view_.layout, colour));
}

ColourRef SoftDeviceContext::GetPixel(std::int32_t x, std::int32_t y) {
  if (!attached_ || !Contains(view_, x, y)) return kClrInvalid;
  return ColourFromNative(view_.layout, ReadPixel(view_, x, y));
}

void SoftDeviceContext::SetPixel(std::int32_t x, std::int32_t y, ColourRef colour) {
  if (!attached_ || !Contains(view_, x, y)) return;
  WritePixel(view_, x, y, NativeFromColour(view_.layout, colour));
}

void SoftDeviceContext::StretchBitmap(std::int32_t dstX, std::int32_t dstY, std::int32_t dstW,
                                      std::int32_t dstH, const IBitmap& bitmap, std::int32_t srcX,
                                      std::int32_t srcY, std::int32_t srcW, std::int32_t srcH) {
  const auto* source = dynamic_cast<const SoftBitmap*>(&bitmap);
  if (!attached_ || source == nullptr || dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0) return;
  const std::int64_t top = std::max<std::int64_t>(dstY, 0);
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{dstY} + dstH, view_.height);
  const std::int64_t left = std::max<std::int64_t>(dstX, 0);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{dstX} + dstW, view_.width);
  for (std::int64_t y = top; y < bottom; ++y) {
    // The source pixel under the centre of the destination pixel.
    const std::int64_t sy = srcY + ((2 * (y - dstY) + 1) * srcH) / (2 * std::int64_t{dstH});
    if (sy < 0 || sy >= source->Height()) continue;
    for (std::int64_t x = left; x < right; ++x) {
      const std::int64_t sx = srcX + ((2 * (x - dstX) + 1) * srcW) / (2 * std::int64_t{dstW});
      if (sx < 0 || sx >= source->Width()) continue;
      const std::uint32_t rgb = source->Rgb(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy));
      WritePixel(view_, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                 NativeFromRgb(view_.layout, rgb));
    }
  }
}

}  // namespace plat::soft
