// Raw pixel memory of a software surface and the two layouts it can hold:
// RGB565 for 16-bit modes and XRGB8888 for 32-bit ones.
#pragma once
#include <cstdint>

#include "platform/display_device.h"

namespace plat::soft {

enum class PixelLayout { Rgb565, Xrgb8888 };

struct PixelView {
  std::uint8_t* bits = nullptr;
  std::int32_t pitch = 0;  // bytes per row
  std::int32_t width = 0, height = 0;
  PixelLayout layout = PixelLayout::Xrgb8888;
};

inline int BytesPerPixel(PixelLayout layout) { return layout == PixelLayout::Rgb565 ? 2 : 4; }

inline PixelFormat FormatOf(PixelLayout layout) {
  if (layout == PixelLayout::Rgb565) return PixelFormat{16, 0xF800, 0x07E0, 0x001F};
  return PixelFormat{32, 0x00FF0000, 0x0000FF00, 0x000000FF};
}

// 0x00RRGGBB to the layout's pixel; channels are cut to their field widths,
// as GDI does when it writes a colour into a 16-bit DIB.
inline std::uint32_t NativeFromRgb(PixelLayout layout, std::uint32_t rgb) {
  if (layout == PixelLayout::Xrgb8888) return rgb & 0x00FFFFFFu;
  const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
}

// The layout's pixel to 0x00RRGGBB; short fields are widened by repeating
// their top bits, as GDI reads a 16-bit DIB back.
inline std::uint32_t RgbFromNative(PixelLayout layout, std::uint32_t pixel) {
  if (layout == PixelLayout::Xrgb8888) return pixel & 0x00FFFFFFu;
  const std::uint32_t r5 = (pixel >> 11) & 0x1F, g6 = (pixel >> 5) & 0x3F, b5 = pixel & 0x1F;
  const std::uint32_t r = (r5 << 3) | (r5 >> 2), g = (g6 << 2) | (g6 >> 4), b = (b5 << 3) | (b5 >> 2);
  return (r << 16) | (g << 8) | b;
}

inline std::uint32_t RgbFromColourRef(ColourRef c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline ColourRef ColourRefFromRgb(std::uint32_t rgb) { return RgbFromColourRef(rgb); }

inline std::uint32_t NativeFromColour(PixelLayout layout, ColourRef c) {
  return NativeFromRgb(layout, RgbFromColourRef(c));
}
inline ColourRef ColourFromNative(PixelLayout layout, std::uint32_t pixel) {
  return ColourRefFromRgb(RgbFromNative(layout, pixel));
}

// Unchecked access; callers clip first.
inline std::uint32_t ReadPixel(const PixelView& v, std::int32_t x, std::int32_t y) {
  const std::uint8_t* row = v.bits + static_cast<std::int64_t>(y) * v.pitch;
  if (v.layout == PixelLayout::Rgb565) return reinterpret_cast<const std::uint16_t*>(row)[x];
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}
inline void WritePixel(const PixelView& v, std::int32_t x, std::int32_t y, std::uint32_t pixel) {
  std::uint8_t* row = v.bits + static_cast<std::int64_t>(y) * v.pitch;
  if (v.layout == PixelLayout::Rgb565) {
    reinterpret_cast<std::uint16_t*>(row)[x] = static_cast<std::uint16_t>(pixel);
  } else {
    reinterpret_cast<std::uint32_t*>(row)[x] = pixel;
  }
}
inline bool Contains(const PixelView& v, std::int32_t x, std::int32_t y) {
  return x >= 0 && y >= 0 && x < v.width && y < v.height;
}

}  // namespace plat::soft
