#include "platform/soft/soft_surface.h"

#include <algorithm>
#include <cstring>

#include "platform/soft/soft_display.h"

namespace plat::soft {
namespace {

// What a restored surface holds until it is drawn again: DirectDraw keeps no
// content across a loss, and a visible pattern shows a forgotten reload.
constexpr std::uint8_t kRestoredFill = 0x5A;

bool Inside(const Rect& r, const PixelView& v) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= v.width &&
         r.bottom <= v.height;
}

// Rows that follow each other without a gap are one run of memory.
bool Contiguous(const PixelView& v) { return v.pitch == v.width * BytesPerPixel(v.layout); }

// A pixel whose bytes are all alike (black always is) is a plain memset.
template <typename P>
void FillPixels(std::uint8_t* at, std::size_t count, P value) {
  constexpr P kOnes = static_cast<P>(static_cast<P>(~P{0}) / 0xFFu);  // 0x0101...
  const P lowByte = static_cast<P>(value & 0xFFu);
  if (value == static_cast<P>(lowByte * kOnes)) {
    std::memset(at, lowByte, count * sizeof(P));
  } else {
    std::fill_n(reinterpret_cast<P*>(at), count, value);
  }
}

template <typename P>
void FillAll(const PixelView& v, std::uint32_t pixel) {
  const P value = static_cast<P>(pixel);
  if (Contiguous(v)) {
    FillPixels<P>(v.bits, static_cast<std::size_t>(v.width) * static_cast<std::size_t>(v.height), value);
    return;
  }
  for (std::int32_t y = 0; y < v.height; ++y) {
    FillPixels<P>(v.bits + static_cast<std::int64_t>(y) * v.pitch, static_cast<std::size_t>(v.width), value);
  }
}

// Same-size rectangles; the views may be one surface. Whole rows of
// gapless views are one run of memory and go in one call.
void CopyRect(const PixelView& to, const Rect& dst, const PixelView& from, const Rect& src) {
  const int bpp = BytesPerPixel(to.layout);
  const std::int32_t rows = dst.bottom - dst.top;
  const std::size_t bytes = static_cast<std::size_t>(dst.right - dst.left) * bpp;
  auto at = [bpp](const PixelView& v, std::int32_t x, std::int32_t y) {
    return v.bits + std::int64_t{y} * v.pitch + std::int64_t{x} * bpp;
  };
  const bool wholeRows = dst.left == 0 && src.left == 0 && dst.right == to.width &&
                         src.right == from.width && Contiguous(to) && Contiguous(from);
  if (wholeRows) {
    std::memmove(at(to, 0, dst.top), at(from, 0, src.top), bytes * static_cast<std::size_t>(rows));
    return;
  }
  const bool upwards = to.bits == from.bits && dst.top > src.top;  // overlapping, within one surface
  for (std::int32_t i = 0; i < rows; ++i) {
    const std::int32_t row = upwards ? rows - 1 - i : i;
    std::memmove(at(to, dst.left, dst.top + row), at(from, src.left, src.top + row), bytes);
  }
}

// One row of a keyed copy: source pixels whose masked value lies in
// [low, high] leave the destination as it was. Every destination pixel is
// written, a kept one with its own value, so the loop has no branch and
// the compiler can vectorise it.
template <typename P>
void KeyedRow(P* to, const P* from, std::int32_t n, P low, P high, P mask) {
  for (std::int32_t i = 0; i < n; ++i) {
    const P p = static_cast<P>(from[i] & mask);
    const bool keep = (p >= low) & (p <= high);
    to[i] = keep ? to[i] : from[i];
  }
}

template <typename P>
void PlainRow(P* to, const P* from, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) to[i] = from[i];
}

template <typename P>
void CopyWithKey(const PixelView& dst, std::int32_t x, std::int32_t y, const PixelView& src,
                 const Rect& r, bool keyed, std::uint32_t low, std::uint32_t high, std::uint32_t mask) {
  // A range starting above the layout's largest value keys nothing; one
  // ending above it ends at it.
  constexpr std::uint32_t kLargest = static_cast<P>(~P{0});
  const bool keys = keyed && low <= high && low <= kLargest;
  const P lowP = static_cast<P>(low), highP = static_cast<P>(high < kLargest ? high : kLargest);
  const std::int32_t n = r.right - r.left;
  for (std::int32_t row = 0; row < r.bottom - r.top; ++row) {
    const P* from = reinterpret_cast<const P*>(src.bits + std::int64_t{r.top + row} * src.pitch) + r.left;
    P* to = reinterpret_cast<P*>(dst.bits + std::int64_t{y + row} * dst.pitch) + x;
    if (keys) KeyedRow<P>(to, from, n, lowP, highP, static_cast<P>(mask));
    else PlainRow<P>(to, from, n);
  }
}

}  // namespace

SoftSurface::SoftSurface(SoftDisplayDevice* owner, std::int32_t width, std::int32_t height,
                         PixelLayout layout, PixelMemory pixels, const SurfaceDesc& desc)
    : owner_(owner), pixels_(std::move(pixels)), desc_(desc) {
  view_ = PixelView{pixels_.get(), width * BytesPerPixel(layout), width, height, layout};
  desc_.flags |= kDdsdCaps | kDdsdWidth | kDdsdHeight;
  desc_.width = width;
  desc_.height = height;
}

LockedSurface SoftSurface::Frame() const {
  return LockedSurface{view_.bits, view_.pitch, view_.width, view_.height, FormatOf(view_.layout)};
}

void SoftSurface::Presented() {
  if (IsPrimary()) owner_->Presented(*this);
}

HResult SoftSurface::CheckBlit(const SoftSurface* source) const {
  if (lost_ || (source != nullptr && source->lost_)) return kDdErrSurfaceLost;
  if (Busy() || (source != nullptr && source->Busy())) return kDdErrSurfaceBusy;
  if (source != nullptr && source->view_.layout != view_.layout) return kDdErrInvalidPixelFormat;
  return kOk;
}

HResult SoftSurface::ColourFill(std::uint32_t pixel) {
  const HResult hr = CheckBlit(nullptr);
  if (hr != kOk) return hr;
  if (view_.layout == PixelLayout::Rgb565) FillAll<std::uint16_t>(view_, pixel);
  else FillAll<std::uint32_t>(view_, pixel);
  Presented();
  return kOk;
}

HResult SoftSurface::Copy(const Rect& dst, ISurface& source, const Rect& src) {
  auto* from = dynamic_cast<SoftSurface*>(&source);
  if (from == nullptr) return kDdErrInvalidParams;
  const HResult hr = CheckBlit(from);
  if (hr != kOk) return hr;
  if (!Inside(dst, view_) || !Inside(src, from->view_)) return kDdErrInvalidRect;
  const bool sameSize = dst.right - dst.left == src.right - src.left && dst.bottom - dst.top == src.bottom - src.top;
  if (!sameSize) return kDdErrInvalidRect;  // no stretching here
  CopyRect(view_, dst, from->view_, src);
  Presented();
  return kOk;
}

HResult SoftSurface::CopyKeyed(std::int32_t x, std::int32_t y, ISurface& source, const Rect& src) {
  auto* from = dynamic_cast<SoftSurface*>(&source);
  if (from == nullptr) return kDdErrInvalidParams;
  const HResult hr = CheckBlit(from);
  if (hr != kOk) return hr;
  if (!Inside(src, from->view_)) return kDdErrInvalidRect;
  const std::int64_t right = std::int64_t{x} + (src.right - src.left);
  const std::int64_t bottom = std::int64_t{y} + (src.bottom - src.top);
  if (x < 0 || y < 0 || right > view_.width || bottom > view_.height) return kDdErrInvalidRect;
  const PixelFormat f = FormatOf(view_.layout);
  const std::uint32_t mask = f.redMask | f.greenMask | f.blueMask;
  if (view_.layout == PixelLayout::Rgb565) {
    CopyWithKey<std::uint16_t>(view_, x, y, from->view_, src, from->keyed_, from->keyLow_, from->keyHigh_, mask);
  } else {
    CopyWithKey<std::uint32_t>(view_, x, y, from->view_, src, from->keyed_, from->keyLow_, from->keyHigh_, mask);
  }
  Presented();
  return kOk;
}

HResult SoftSurface::SetColourKey(std::uint32_t low, std::uint32_t high) {
  if (owner_->Failing(SoftFault::SetColourKey)) return kDdErrGeneric;
  keyed_ = true;
  keyLow_ = low;
  keyHigh_ = high;
  return kOk;
}

HResult SoftSurface::GetDC(IDeviceContext** dc) {
  if (dc == nullptr) return kDdErrInvalidParams;
  *dc = nullptr;
  if (lost_) return kDdErrSurfaceLost;
  if (dc_.Attached()) return kDdErrDcAlreadyCreated;
  if (locked_) return kDdErrSurfaceBusy;
  if (owner_->Failing(SoftFault::GetDC)) return kDdErrGeneric;
  dc_.Attach(view_);
  *dc = &dc_;
  return kOk;
}

HResult SoftSurface::ReleaseDC(IDeviceContext* dc) {
  if (dc == nullptr) return kDdErrInvalidParams;
  if (dc != &dc_ || !dc_.Attached()) return kDdErrNoDc;
  dc_.Detach();
  Presented();
  return kOk;
}

HResult SoftSurface::Lock(LockedSurface& out) {
  if (lost_) return kDdErrSurfaceLost;
  if (Busy()) return kDdErrSurfaceBusy;
  if (owner_->Failing(SoftFault::Lock)) return kDdErrGeneric;
  locked_ = true;
  out = Frame();
  return kOk;
}

HResult SoftSurface::Unlock() {
  if (!locked_) return kDdErrNotLocked;
  locked_ = false;
  Presented();
  return kOk;
}

HResult SoftSurface::GetPixelFormat(PixelFormat& out) {
  if (owner_->Failing(SoftFault::PixelFormat)) return kDdErrGeneric;
  out = FormatOf(view_.layout);
  return kOk;
}

HResult SoftSurface::GetSurfaceDesc(SurfaceDesc& out) {
  out = desc_;
  return kOk;
}

HResult SoftSurface::IsLost() { return lost_ ? kDdErrSurfaceLost : kOk; }

HResult SoftSurface::Restore() {
  if (!lost_) return kOk;
  lost_ = false;
  std::memset(pixels_.get(), kRestoredFill, static_cast<std::size_t>(view_.pitch) * view_.height);
  return kOk;
}

void SoftSurface::Release() {
  dc_.Detach();
  owner_->Forget(this);
  delete this;
}

}  // namespace plat::soft
