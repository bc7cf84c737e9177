// DirectDraw (the first IDirectDraw interface) behind the portable display
// interfaces: the device object and its surfaces, GDI on their contexts.
#pragma once
#include "platform/display_device.h"
#include "platform/win32/gdi_context.h"
#include "platform/win32/win32_headers.h"

#include <ddraw.h>

namespace plat::win32_port {

class DdrawSurface : public ISurface {
 public:
  explicit DdrawSurface(IDirectDrawSurface* surface) : surface_(surface) {}

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

  IDirectDrawSurface* Raw() const { return surface_; }

 private:
  IDirectDrawSurface* surface_;
  GdiDeviceContext dc_;
};

class DdrawDisplay : public IDisplayDevice {
 public:
  DdrawDisplay() = default;
  ~DdrawDisplay() override { Release(); }
  DdrawDisplay(const DdrawDisplay&) = delete;
  DdrawDisplay& operator=(const DdrawDisplay&) = delete;

  HResult Create() override;
  HResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override;
  HResult SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bpp) override;
  HResult CreateSurface(const SurfaceDesc& desc, ISurface** out) override;
  HResult RestoreDisplayMode() override;
  HResult FlipToGdiSurface() override;
  std::int32_t RefreshRate() override;
  void Release() override;

 private:
  IDirectDraw* directDraw_ = nullptr;
};

}  // namespace plat::win32_port
