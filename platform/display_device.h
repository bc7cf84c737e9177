// The display device, shaped like the DirectDraw and GDI operations the
// framework uses: every step can fail or lose its surface, and the framework
// handles each case.
// Windows wraps IDirectDraw/IDirectDrawSurface and GDI; Linux is a software
// device with surfaces in memory, presented to the SDL window.
#pragma once
#include <cstdint>

#include "platform/win_types.h"

namespace plat {

struct Rect {
  std::int32_t left, top, right, bottom;  // right and bottom exclusive
};

struct SurfaceDesc {  // the DDSURFACEDESC fields the framework sets and reads
  std::uint32_t flags = 0;  // kDdsd*
  std::uint32_t caps = 0;   // kDdsCaps*
  std::int32_t width = 0;
  std::int32_t height = 0;
};

struct PixelFormat {  // DDPIXELFORMAT's RGB part
  std::uint32_t rgbBitCount = 0;
  std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
};

struct LockedSurface {
  void* bits = nullptr;
  std::int32_t pitch = 0;  // bytes per row
  std::int32_t width = 0, height = 0;
  PixelFormat format;
};

class IBitmap {  // a GDI bitmap (DIB section) loaded from a resource or a file
 public:
  virtual ~IBitmap() = default;
  virtual std::int32_t Width() const = 0;   // GetObjectA(BITMAP).bmWidth
  virtual std::int32_t Height() const = 0;  // GetObjectA(BITMAP).bmHeight
};

class IDeviceContext {  // a surface's GDI device context
 public:
  virtual ~IDeviceContext() = default;
  // CreatePen(PS_SOLID, width, colour), SelectObject, MoveToEx, LineTo,
  // SelectObject(previous), DeleteObject: one pen per call.
  virtual void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                    std::int32_t width, ColourRef colour) = 0;
  virtual ColourRef GetPixel(std::int32_t x, std::int32_t y) = 0;
  virtual void SetPixel(std::int32_t x, std::int32_t y, ColourRef colour) = 0;
  // CreateCompatibleDC + SelectObject(bitmap) + StretchBlt(SRCCOPY) + DeleteDC.
  virtual void StretchBitmap(std::int32_t dstX, std::int32_t dstY, std::int32_t dstW,
                             std::int32_t dstH, const IBitmap& bitmap, std::int32_t srcX,
                             std::int32_t srcY, std::int32_t srcW, std::int32_t srcH) = 0;
};

class ISurface {
 public:
  virtual ~ISurface() = default;
  // Blt with DDBLT_COLORFILL | DDBLT_WAIT over the whole surface.
  virtual HResult ColourFill(std::uint32_t pixel) = 0;
  // Blt with DDBLT_WAIT, no stretching (same size rectangles).
  virtual HResult Copy(const Rect& dst, ISurface& source, const Rect& src) = 0;
  // BltFast with DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT.
  virtual HResult CopyKeyed(std::int32_t x, std::int32_t y, ISurface& source, const Rect& src) = 0;
  virtual HResult SetColourKey(std::uint32_t low, std::uint32_t high) = 0;  // DDCKEY_SRCBLT
  virtual HResult GetDC(IDeviceContext** dc) = 0;
  virtual HResult ReleaseDC(IDeviceContext* dc) = 0;
  virtual HResult Lock(LockedSurface& out) = 0;  // whole surface, DDLOCK_WAIT
  virtual HResult Unlock() = 0;
  virtual HResult GetPixelFormat(PixelFormat& out) = 0;
  virtual HResult GetSurfaceDesc(SurfaceDesc& out) = 0;
  virtual HResult IsLost() = 0;  // 0 when not lost
  virtual HResult Restore() = 0;
  virtual void Release() = 0;  // the object is gone afterwards
};

class IDisplayDevice {
 public:
  virtual ~IDisplayDevice() = default;
  virtual HResult Create() = 0;  // DirectDrawCreate(NULL, ..., NULL)
  virtual HResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) = 0;
  virtual HResult SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bpp) = 0;
  virtual HResult CreateSurface(const SurfaceDesc& desc, ISurface** out) = 0;
  virtual HResult RestoreDisplayMode() = 0;
  virtual HResult FlipToGdiSurface() = 0;
  // The current mode's refresh rate in Hz (GetMonitorFrequency); 0 when the
  // display does not say.
  virtual std::int32_t RefreshRate() = 0;
  virtual void Release() = 0;  // after this Create may be called again
};

class IBitmapLoader {  // LoadImageA(..., IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION [| LR_LOADFROMFILE])
 public:
  virtual ~IBitmapLoader() = default;
  virtual IBitmap* LoadResource(const char* name) = 0;  // module's resource, name ignoring case
  virtual IBitmap* LoadFile(const char* path) = 0;
  virtual void Delete(IBitmap* bitmap) = 0;  // DeleteObject; null is ignored
};

}  // namespace plat
