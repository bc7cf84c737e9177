// GDI behind the portable device-context and bitmap interfaces: one solid pen
// per line, pixel probes, bitmap stretching through a memory DC.
#pragma once
#include "platform/display_device.h"
#include "platform/win32/win32_headers.h"

namespace plat::win32_port {

class GdiBitmap : public IBitmap {  // a DIB section from LoadImageA
 public:
  GdiBitmap(HBITMAP handle, std::int32_t width, std::int32_t height)
      : handle_(handle), width_(width), height_(height) {}
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  HBITMAP Handle() const { return handle_; }

 private:
  HBITMAP handle_;
  std::int32_t width_, height_;
};

class GdiDeviceContext : public IDeviceContext {
 public:
  GdiDeviceContext() = default;
  explicit GdiDeviceContext(HDC dc) : dc_(dc) {}
  void Attach(HDC dc) { dc_ = dc; }
  void Detach() { dc_ = nullptr; }
  HDC Handle() const { return dc_; }

  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width,
            ColourRef colour) override;
  ColourRef GetPixel(std::int32_t x, std::int32_t y) override;
  void SetPixel(std::int32_t x, std::int32_t y, ColourRef colour) override;
  void StretchBitmap(std::int32_t dstX, std::int32_t dstY, std::int32_t dstW, std::int32_t dstH,
                     const IBitmap& bitmap, std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                     std::int32_t srcH) override;

 private:
  HDC dc_ = nullptr;
};

}  // namespace plat::win32_port
