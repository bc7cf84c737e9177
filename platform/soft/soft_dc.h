// The GDI device context of a software surface: pens, pixel probes and
// bitmap stretching on the surface's memory while it is handed out.
#pragma once
#include "platform/display_device.h"
#include "platform/soft/pixel_view.h"

namespace plat::soft {

class SoftDeviceContext : public IDeviceContext {
 public:
  SoftDeviceContext() = default;
  explicit SoftDeviceContext(const PixelView& view) { Attach(view); }

  // Drawing goes to view until Detach; a detached context draws nothing.
  void Attach(const PixelView& view) { view_ = view; attached_ = true; }
  void Detach() { attached_ = false; }
  bool Attached() const { return attached_; }

  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width,
            ColourRef colour) override;
  // CLR_INVALID outside the surface, as GDI answers.
  ColourRef GetPixel(std::int32_t x, std::int32_t y) override;
  void SetPixel(std::int32_t x, std::int32_t y, ColourRef colour) override;
  // Nearest neighbour; bitmaps from other loaders than the software one are
  // not ours to read and draw nothing.
  void StretchBitmap(std::int32_t dstX, std::int32_t dstY, std::int32_t dstW, std::int32_t dstH,
                     const IBitmap& bitmap, std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                     std::int32_t srcH) override;

 private:
  PixelView view_;
  bool attached_ = false;
};

constexpr ColourRef kClrInvalid = 0xFFFFFFFFu;

}  // namespace plat::soft
