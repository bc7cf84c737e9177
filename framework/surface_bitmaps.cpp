// Bitmaps into surfaces: loading by name, copying through GDI, and finding a
// colour's pixel value for colour keys.
#include <algorithm>

#include "framework/module_path.h"
#include "framework/screen.h"
#include "framework/surface_slots.h"

namespace qrx {
namespace {

// The bits of a pixel word that hold colour: the low rgbBitCount bits, and
// of those only the RGB masks when the format names them (some drivers
// leave the unused top byte of a 32-bit pixel set).
std::uint32_t ColourBits(const plat::PixelFormat& format) {
  std::uint32_t mask = format.rgbBitCount >= 32 ? 0xFFFFFFFFu : (1u << format.rgbBitCount) - 1;
  const std::uint32_t rgb = format.redMask | format.greenMask | format.blueMask;
  if (rgb != 0) mask &= rgb;
  return mask;
}

// The first pixel word, reading no more bytes than one pixel holds.
std::uint32_t FirstPixelWord(const plat::LockedSurface& locked) {
  const std::uint32_t bytes = std::min<std::uint32_t>(4, (locked.format.rgbBitCount + 7) / 8);
  const auto* p = static_cast<const std::uint8_t*>(locked.bits);
  std::uint32_t word = 0;
  for (std::uint32_t i = 0; i < bytes; ++i) word |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return word;
}

}  // namespace

plat::ISurface* SlotTable::CreateSurfaceFromBitmap(const char* name, bool systemMemory) {
  plat::IDisplayDevice* directDraw = screen_->GetDirectDraw();
  if (directDraw == nullptr) return nullptr;
  plat::IBitmap* bitmap = LoadBitmapImage(name);
  if (bitmap == nullptr) return nullptr;
  plat::SurfaceDesc desc;
  desc.flags = plat::kDdsdCaps | plat::kDdsdHeight | plat::kDdsdWidth;
  desc.caps = plat::kDdsCapsOffscreenPlain | (systemMemory ? plat::kDdsCapsSystemMemory : 0);
  desc.width = bitmap->Width();
  desc.height = bitmap->Height();
  plat::ISurface* surface = nullptr;
  if (directDraw->CreateSurface(desc, &surface) != plat::kOk || surface == nullptr) {
    bitmaps_->Delete(bitmap);
    return nullptr;
  }
  CopyBitmapToSurface(surface, bitmap);
  bitmaps_->Delete(bitmap);
  return surface;
}

// The module's resource first, then a file beside the module. Paths that do
// not fit the path area are not tried.
plat::IBitmap* SlotTable::LoadBitmapImage(const char* name) {
  if (name == nullptr) return nullptr;
  plat::IBitmap* bitmap = bitmaps_->LoadResource(name);
  if (bitmap != nullptr) return bitmap;
  char path[kPathSize];
  if (!ResolveBesideModule(*system_, path, sizeof path, name)) return nullptr;
  return bitmaps_->LoadFile(path);
}

plat::HResult SlotTable::CopyBitmapToSurface(plat::ISurface* surface, const plat::IBitmap* bitmap) {
  if (surface == nullptr || bitmap == nullptr) return plat::kEFail;
  surface->Restore();
  plat::SurfaceDesc desc;
  surface->GetSurfaceDesc(desc);
  plat::IDeviceContext* dc = nullptr;
  const plat::HResult result = surface->GetDC(&dc);
  if (result == plat::kOk && dc != nullptr) {
    dc->StretchBitmap(0, 0, desc.width, desc.height, *bitmap, 0, 0, bitmap->Width(), bitmap->Height());
    surface->ReleaseDC(dc);
  }
  return result;
}

// Lets GDI write the colour at (0, 0) and reads the pixel back, then puts
// the old pixel back.
std::uint32_t SlotTable::MatchColour(plat::ISurface* surface, plat::ColourRef colour) {
  std::uint32_t result = 0xFFFFFFFFu;
  if (surface == nullptr) return result;
  plat::IDeviceContext* dc = nullptr;
  bool wrote = false;
  plat::ColourRef saved = 0;
  if (surface->GetDC(&dc) == plat::kOk && dc != nullptr) {
    saved = dc->GetPixel(0, 0);
    dc->SetPixel(0, 0, colour);
    surface->ReleaseDC(dc);
    wrote = true;
  }
  plat::LockedSurface locked;
  if (surface->Lock(locked) == plat::kOk) {
    result = FirstPixelWord(locked) & ColourBits(locked.format);
    surface->Unlock();
  }
  if (wrote && surface->GetDC(&dc) == plat::kOk && dc != nullptr) {
    dc->SetPixel(0, 0, saved);
    surface->ReleaseDC(dc);
  }
  return result;
}

plat::HResult SlotTable::SetSurfaceColourKey(plat::ISurface* surface, plat::ColourRef colour) {
  if (surface == nullptr) return plat::kDdErrInvalidParams;
  const std::uint32_t value = MatchColour(surface, colour);
  return surface->SetColourKey(value, value);
}

}  // namespace qrx
