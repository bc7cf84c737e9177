#include "platform/win32/gdi_canvas.h"

namespace plat::win32_port {
namespace {

struct BitmapInfo565 {  // BITMAPINFOHEADER followed by the three masks
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

}  // namespace

GdiCanvas::GdiCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel)
    : width_(width), height_(height), bitsPerPixel_(bitsPerPixel == 16 ? 16 : 32) {
  BitmapInfo565 info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitsPerPixel_);
  info.header.biCompression = bitsPerPixel_ == 16 ? BI_BITFIELDS : BI_RGB;
  info.masks[0] = 0xF800, info.masks[1] = 0x07E0, info.masks[2] = 0x001F;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) return;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr) return;
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint8_t*>(bits);
  pitch_ = ((width * bitsPerPixel_ + 31) / 32) * 4;
  context_.Attach(dc_);
}

GdiCanvas::~GdiCanvas() {
  context_.Detach();
  if (previous_ != nullptr) SelectObject(dc_, previous_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

std::uint32_t GdiCanvas::Rgb(std::int32_t x, std::int32_t y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  const std::uint8_t* p = bits_ + static_cast<std::size_t>(y) * pitch_;
  if (bitsPerPixel_ == 32) {
    const std::uint8_t* q = p + 4 * x;
    return (std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0];
  }
  const std::uint32_t v = p[2 * x] | (std::uint32_t{p[2 * x + 1]} << 8);
  const std::uint32_t r5 = (v >> 11) & 31, g6 = (v >> 5) & 63, b5 = v & 31;
  return (((r5 << 3) | (r5 >> 2)) << 16) | (((g6 << 2) | (g6 >> 4)) << 8) | ((b5 << 3) | (b5 >> 2));
}

}  // namespace plat::win32_port
