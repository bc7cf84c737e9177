#include "platform/win32/gdi_context.h"

namespace plat::win32_port {

// Every call makes and deletes its own pen; none survives the call.
void GdiDeviceContext::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                            std::int32_t width, ColourRef colour) {
  if (dc_ == nullptr) return;
  HPEN pen = CreatePen(PS_SOLID, width, colour);
  HGDIOBJ previous = SelectObject(dc_, pen);
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
  SelectObject(dc_, previous);
  DeleteObject(pen);
}

ColourRef GdiDeviceContext::GetPixel(std::int32_t x, std::int32_t y) {
  if (dc_ == nullptr) return CLR_INVALID;
  return ::GetPixel(dc_, x, y);
}

void GdiDeviceContext::SetPixel(std::int32_t x, std::int32_t y, ColourRef colour) {
  if (dc_ != nullptr) ::SetPixel(dc_, x, y, colour);
}

void GdiDeviceContext::StretchBitmap(std::int32_t dstX, std::int32_t dstY, std::int32_t dstW,
                                     std::int32_t dstH, const IBitmap& bitmap, std::int32_t srcX,
                                     std::int32_t srcY, std::int32_t srcW, std::int32_t srcH) {
  const auto* source = dynamic_cast<const GdiBitmap*>(&bitmap);
  if (dc_ == nullptr || source == nullptr) return;
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory == nullptr) return;
  HGDIOBJ previous = SelectObject(memory, source->Handle());
  StretchBlt(dc_, dstX, dstY, dstW, dstH, memory, srcX, srcY, srcW, srcH, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

}  // namespace plat::win32_port
