#include "platform/soft/soft_display.h"

#include <algorithm>
#include <new>

#include "platform/soft/bmp_parser.h"
#include "platform/soft/soft_surface.h"

namespace plat::soft {
namespace {

bool ValidSize(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxBitmapSide && height <= kMaxBitmapSide;
}

PixelLayout LayoutForBpp(std::int32_t bpp) {
  return bpp == 16 ? PixelLayout::Rgb565 : PixelLayout::Xrgb8888;
}

}  // namespace

SoftDisplayDevice::SoftDisplayDevice(std::int32_t desktopWidth, std::int32_t desktopHeight,
                                     std::int32_t desktopBpp)
    : desktopWidth_(desktopWidth),
      desktopHeight_(desktopHeight),
      desktopBpp_(desktopBpp == 16 ? 16 : 32),
      modeWidth_(desktopWidth),
      modeHeight_(desktopHeight),
      modeBpp_(desktopBpp_) {}

void SoftDisplayDevice::SetDesktop(std::int32_t width, std::int32_t height, std::int32_t bpp) {
  const bool atDesktop = !ModeChanged();
  desktopWidth_ = width;
  desktopHeight_ = height;
  desktopBpp_ = bpp == 16 ? 16 : 32;
  if (atDesktop) RestoreDesktop();
}

SoftDisplayDevice::~SoftDisplayDevice() {
  while (!surfaces_.empty()) surfaces_.back()->Release();
}

HResult SoftDisplayDevice::Create() {
  if (Failing(SoftFault::Create)) return kDdErrGeneric;
  exists_ = true;
  surfaceCalls_ = 0;
  return kOk;
}

HResult SoftDisplayDevice::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
  if (!exists_) return kDdErrNotInitialized;
  if (Failing(SoftFault::CooperativeLevel)) return kDdErrGeneric;
  coopWindow_ = window;
  coopFlags_ = flags;
  return kOk;
}

HResult SoftDisplayDevice::SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bpp) {
  if (!exists_) return kDdErrNotInitialized;
  modesTried_.push_back(bpp);
  if (bpp != 16 && bpp != 24 && bpp != 32) return kDdErrUnsupportedMode;
  const bool refused = bpp == 24 || (bpp == 16 && Failing(SoftFault::DisplayMode16)) ||
                       (bpp == 32 && Failing(SoftFault::DisplayMode32));
  if (refused || !ValidSize(width, height)) return kDdErrInvalidMode;
  modeWidth_ = width;
  modeHeight_ = height;
  modeBpp_ = bpp;
  return kOk;
}

HResult SoftDisplayDevice::CreateSurface(const SurfaceDesc& desc, ISurface** out) {
  if (out == nullptr) return kDdErrInvalidParams;
  *out = nullptr;
  if (!exists_) return kDdErrNotInitialized;
  if (++surfaceCalls_ == failSurfaceOrdinal_) return kDdErrOutOfMemory;
  const bool primary = (desc.caps & kDdsCapsPrimarySurface) != 0;
  if (primary && PrimarySurface() != nullptr) return kDdErrPrimaryExists;
  const bool sized = (desc.flags & (kDdsdWidth | kDdsdHeight)) == (kDdsdWidth | kDdsdHeight);
  if (!primary && !sized) return kDdErrInvalidParams;
  const std::int32_t width = primary ? modeWidth_ : desc.width;
  const std::int32_t height = primary ? modeHeight_ : desc.height;
  if (!ValidSize(width, height)) return kDdErrInvalidParams;
  const PixelLayout layout = LayoutForBpp(modeBpp_);
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                            static_cast<std::size_t>(BytesPerPixel(layout));
  PixelMemory pixels = primary && target_ != nullptr
                           ? target_->LendPrimary(width, height, FormatOf(layout))
                           : nullptr;
  if (!pixels) pixels = AllocatePixels(bytes);
  if (!pixels) return kDdErrOutOfMemory;
  auto* surface = new (std::nothrow) SoftSurface(this, width, height, layout, std::move(pixels), desc);
  if (surface == nullptr) return kDdErrOutOfMemory;
  surfaces_.push_back(surface);
  *out = surface;
  return kOk;
}

HResult SoftDisplayDevice::RestoreDisplayMode() {
  if (!exists_) return kDdErrNotInitialized;
  RestoreDesktop();
  return kOk;
}

void SoftDisplayDevice::RestoreDesktop() {
  modeWidth_ = desktopWidth_;
  modeHeight_ = desktopHeight_;
  modeBpp_ = desktopBpp_;
}

HResult SoftDisplayDevice::FlipToGdiSurface() { return exists_ ? kOk : kDdErrNotInitialized; }

void SoftDisplayDevice::Release() {
  // Releasing the object hands the display back, as DirectDraw does.
  if (exists_) RestoreDesktop();
  exists_ = false;
  coopWindow_ = 0;
  coopFlags_ = kDdsclNormal;
}

void SoftDisplayDevice::LoseAllSurfaces() {
  for (SoftSurface* surface : surfaces_) surface->MarkLost();
}

bool SoftDisplayDevice::ModeChanged() const {
  return modeWidth_ != desktopWidth_ || modeHeight_ != desktopHeight_ || modeBpp_ != desktopBpp_;
}

SoftSurface* SoftDisplayDevice::PrimarySurface() const {
  for (SoftSurface* surface : surfaces_) {
    if (surface->IsPrimary()) return surface;
  }
  return nullptr;
}

void SoftDisplayDevice::Forget(SoftSurface* surface) {
  surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
}

void SoftDisplayDevice::Presented(SoftSurface& primary) {
  ++presents_;
  if (target_ != nullptr) target_->Present(primary.Frame());
}

}  // namespace plat::soft
