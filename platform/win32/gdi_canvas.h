// An off-screen GDI drawing surface: a top-down DIB section of 16 (5-6-5)
// or 32 bits per pixel in a memory DC, with its pixels readable. For
// comparing our rasteriser with GDI's and for GDI tests.
#pragma once
#include <cstdint>

#include "platform/win32/gdi_context.h"

namespace plat::win32_port {

class GdiCanvas {
 public:
  GdiCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel);
  ~GdiCanvas();
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  bool Ok() const { return bits_ != nullptr; }
  IDeviceContext& Dc() { return context_; }
  // 0x00RRGGBB of the pixel, 16-bit fields widened by repeating their top bits.
  std::uint32_t Rgb(std::int32_t x, std::int32_t y) const;

 private:
  std::int32_t width_, height_;
  int bitsPerPixel_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  std::int32_t pitch_ = 0;
  GdiDeviceContext context_;
};

}  // namespace plat::win32_port
