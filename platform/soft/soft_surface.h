// A DirectDraw-like surface in memory. It keeps DirectDraw's rules that the
// framework depends on: rectangles must lie inside both surfaces, a surface
// with its device context out or locked is busy, a lost surface refuses
// every blit, lock and device context until it is restored.
#pragma once
#include <cstdint>

#include "platform/display_device.h"
#include "platform/soft/pixel_memory.h"
#include "platform/soft/pixel_view.h"
#include "platform/soft/soft_dc.h"

namespace plat::soft {

class SoftDisplayDevice;

class SoftSurface : public ISurface {
 public:
  SoftSurface(SoftDisplayDevice* owner, std::int32_t width, std::int32_t height, PixelLayout layout,
              PixelMemory pixels, const SurfaceDesc& desc);

  HResult ColourFill(std::uint32_t pixel) override;
  HResult Copy(const Rect& dst, ISurface& source, const Rect& src) override;
  HResult CopyKeyed(std::int32_t x, std::int32_t y, ISurface& source, const Rect& src) override;
  HResult SetColourKey(std::uint32_t low, std::uint32_t high) override;
  HResult GetDC(IDeviceContext** dc) override;
  HResult ReleaseDC(IDeviceContext* dc) override;
  HResult Lock(LockedSurface& out) override;
  HResult Unlock() override;
  HResult GetPixelFormat(PixelFormat& out) override;
  HResult GetSurfaceDesc(SurfaceDesc& out) override;
  HResult IsLost() override;
  HResult Restore() override;
  void Release() override;

  bool IsPrimary() const { return (desc_.caps & kDdsCapsPrimarySurface) != 0; }
  bool Busy() const { return locked_ || dc_.Attached(); }
  bool Lost() const { return lost_; }
  void MarkLost() { lost_ = true; }
  const PixelView& View() const { return view_; }
  LockedSurface Frame() const;

 private:
  HResult CheckBlit(const SoftSurface* source) const;
  void Presented();

  SoftDisplayDevice* owner_;
  PixelMemory pixels_;
  PixelView view_;
  SurfaceDesc desc_;
  SoftDeviceContext dc_;
  bool locked_ = false;
  bool lost_ = false;
  bool keyed_ = false;
  std::uint32_t keyLow_ = 0, keyHigh_ = 0;
};

}  // namespace plat::soft
