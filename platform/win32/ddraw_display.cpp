#include "platform/win32/ddraw_display.h"

#include <new>

namespace plat::win32_port {
namespace {

// The records carry pointers, so a 64-bit build has larger ones than the
// 32-bit sizes (108, 100); DirectDraw checks dwSize against its own build.
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC) == 108, "the 32-bit record is 108 bytes");
static_assert(sizeof(void*) != 4 || sizeof(DDBLTFX) == 100, "the 32-bit record is 100 bytes");
static_assert(sizeof(DDPIXELFORMAT) == 32, "DDPIXELFORMAT is 32 bytes on every build");

static_assert(kDdErrInvalidParams == static_cast<HResult>(DDERR_INVALIDPARAMS));
static_assert(kDdErrOutOfMemory == static_cast<HResult>(DDERR_OUTOFMEMORY));
static_assert(kDdErrNotInitialized == static_cast<HResult>(DDERR_NOTINITIALIZED));
static_assert(kDdErrInvalidPixelFormat == static_cast<HResult>(DDERR_INVALIDPIXELFORMAT));
static_assert(kDdErrInvalidRect == static_cast<HResult>(DDERR_INVALIDRECT));
static_assert(kDdErrSurfaceBusy == static_cast<HResult>(DDERR_SURFACEBUSY));
static_assert(kDdErrNotLocked == static_cast<HResult>(DDERR_NOTLOCKED));
static_assert(kDdErrUnsupportedMode == static_cast<HResult>(DDERR_UNSUPPORTEDMODE));
static_assert(kDdErrDcAlreadyCreated == static_cast<HResult>(DDERR_DCALREADYCREATED));
static_assert(kDdErrPrimaryExists == static_cast<HResult>(DDERR_PRIMARYSURFACEALREADYEXISTS));

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

DDSURFACEDESC EmptyDesc() {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  return desc;
}

PixelFormat ToFormat(const DDPIXELFORMAT& f) {
  return PixelFormat{f.dwRGBBitCount, f.dwRBitMask, f.dwGBitMask, f.dwBBitMask};
}

}  // namespace

HResult DdrawSurface::ColourFill(std::uint32_t pixel) {
  DDBLTFX fx{};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = pixel;
  return surface_->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

HResult DdrawSurface::Copy(const Rect& dst, ISurface& source, const Rect& src) {
  auto* from = dynamic_cast<DdrawSurface*>(&source);
  if (from == nullptr) return DDERR_INVALIDPARAMS;
  RECT d = ToRect(dst), s = ToRect(src);
  return surface_->Blt(&d, from->surface_, &s, DDBLT_WAIT, nullptr);
}

HResult DdrawSurface::CopyKeyed(std::int32_t x, std::int32_t y, ISurface& source, const Rect& src) {
  auto* from = dynamic_cast<DdrawSurface*>(&source);
  if (from == nullptr) return DDERR_INVALIDPARAMS;
  RECT s = ToRect(src);
  return surface_->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), from->surface_, &s,
                           DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

HResult DdrawSurface::SetColourKey(std::uint32_t low, std::uint32_t high) {
  DDCOLORKEY key{low, high};
  return surface_->SetColorKey(DDCKEY_SRCBLT, &key);
}

HResult DdrawSurface::GetDC(IDeviceContext** dc) {
  if (dc == nullptr) return DDERR_INVALIDPARAMS;
  *dc = nullptr;
  HDC handle = nullptr;
  const HRESULT hr = surface_->GetDC(&handle);
  if (FAILED(hr)) return hr;
  dc_.Attach(handle);
  *dc = &dc_;
  return hr;
}

HResult DdrawSurface::ReleaseDC(IDeviceContext* dc) {
  if (dc != &dc_ || dc_.Handle() == nullptr) return DDERR_NODC;
  const HRESULT hr = surface_->ReleaseDC(dc_.Handle());
  dc_.Detach();
  return hr;
}

HResult DdrawSurface::Lock(LockedSurface& out) {
  DDSURFACEDESC desc = EmptyDesc();
  const HRESULT hr = surface_->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
  if (FAILED(hr)) return hr;
  out.bits = desc.lpSurface;
  out.pitch = desc.lPitch;
  out.width = static_cast<std::int32_t>(desc.dwWidth);
  out.height = static_cast<std::int32_t>(desc.dwHeight);
  out.format = ToFormat(desc.ddpfPixelFormat);
  return hr;
}

HResult DdrawSurface::Unlock() { return surface_->Unlock(nullptr); }

HResult DdrawSurface::GetPixelFormat(PixelFormat& out) {
  DDPIXELFORMAT format{};
  format.dwSize = sizeof format;
  const HRESULT hr = surface_->GetPixelFormat(&format);
  if (SUCCEEDED(hr)) out = ToFormat(format);
  return hr;
}

HResult DdrawSurface::GetSurfaceDesc(SurfaceDesc& out) {
  DDSURFACEDESC desc = EmptyDesc();
  const HRESULT hr = surface_->GetSurfaceDesc(&desc);
  if (FAILED(hr)) return hr;
  out.flags = desc.dwFlags;
  out.caps = desc.ddsCaps.dwCaps;
  out.width = static_cast<std::int32_t>(desc.dwWidth);
  out.height = static_cast<std::int32_t>(desc.dwHeight);
  return hr;
}

HResult DdrawSurface::IsLost() { return surface_->IsLost(); }
HResult DdrawSurface::Restore() { return surface_->Restore(); }

void DdrawSurface::Release() {
  if (dc_.Handle() != nullptr) surface_->ReleaseDC(dc_.Handle());
  surface_->Release();
  delete this;
}

HResult DdrawDisplay::Create() {
  if (directDraw_ != nullptr) return DD_OK;
  const HRESULT hr = DirectDrawCreate(nullptr, &directDraw_, nullptr);
  if (FAILED(hr)) directDraw_ = nullptr;
  return hr;
}

HResult DdrawDisplay::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
  if (directDraw_ == nullptr) return DDERR_NOTINITIALIZED;
  return directDraw_->SetCooperativeLevel(reinterpret_cast<HWND>(window), flags);
}

HResult DdrawDisplay::SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bpp) {
  if (directDraw_ == nullptr) return DDERR_NOTINITIALIZED;
  return directDraw_->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                     static_cast<DWORD>(bpp));
}

HResult DdrawDisplay::CreateSurface(const SurfaceDesc& desc, ISurface** out) {
  if (out == nullptr) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (directDraw_ == nullptr) return DDERR_NOTINITIALIZED;
  DDSURFACEDESC d = EmptyDesc();
  d.dwFlags = desc.flags;
  d.ddsCaps.dwCaps = desc.caps;
  d.dwWidth = static_cast<DWORD>(desc.width);
  d.dwHeight = static_cast<DWORD>(desc.height);
  IDirectDrawSurface* surface = nullptr;
  const HRESULT hr = directDraw_->CreateSurface(&d, &surface, nullptr);
  if (FAILED(hr)) return hr;
  *out = new (std::nothrow) DdrawSurface(surface);
  if (*out != nullptr) return hr;
  surface->Release();
  return DDERR_OUTOFMEMORY;
}

HResult DdrawDisplay::RestoreDisplayMode() {
  return directDraw_ != nullptr ? directDraw_->RestoreDisplayMode() : DDERR_NOTINITIALIZED;
}

HResult DdrawDisplay::FlipToGdiSurface() {
  return directDraw_ != nullptr ? directDraw_->FlipToGDISurface() : DDERR_NOTINITIALIZED;
}

std::int32_t DdrawDisplay::RefreshRate() {
  DWORD hz = 0;
  if (directDraw_ == nullptr || FAILED(directDraw_->GetMonitorFrequency(&hz))) return 0;
  return static_cast<std::int32_t>(hz);
}

void DdrawDisplay::Release() {
  if (directDraw_ == nullptr) return;
  directDraw_->Release();
  directDraw_ = nullptr;
}

}  // namespace plat::win32_port
