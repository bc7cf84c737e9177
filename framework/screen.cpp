#include "framework/screen.h"

#include "framework/app_shell.h"
#include "framework/message_dialog.h"
#include "framework/sound_system.h"
#include "framework/surface_slots.h"

namespace qrx {
namespace {

const char kNoDirectDraw[] = "DirectDrawが使用できません。";
const char kNoFullScreen[] = "フルスクリーンに設定できません。";
const char kNoDisplayMode[] = "解像度が変更できません。";
const char kNoPrimary[] = "プライマリサーフェスを作成できません。";
const char kNoBackBuffer[] = "バックバッファを作成できません。";
const char kNoWorkBuffer[] = "作業バッファを作成できません。";
const char kNoPixelFormat[] = "ピクセルフォーマットが取得できません。";

constexpr std::uint32_t kSizedFlags = plat::kDdsdCaps | plat::kDdsdHeight | plat::kDdsdWidth;

}  // namespace

Screen::Screen(plat::IDisplayDevice& device, plat::IClock& clock, AppShell& shell, BoxHost& boxes,
               SoundSystem& sound)
    : device_(&device), shell_(&shell), boxes_(&boxes), sound_(&sound), pacer_(clock) {}

bool Screen::Init16(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
  return Init();
}

bool Screen::InitFullColour(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
  colourDepth_ = 3;
  return Init();
}

// Each failing step is reported and ends the init; what was made before it
// stays until Release.
bool Screen::Init() {
  target_ = nullptr;
  SetClip(0, 0, width_, height_);
  if (device_->Create() != plat::kOk) return Fail(kNoDirectDraw);
  created_ = true;
  if (device_->SetCooperativeLevel(shell_->GetMainWindow(), plat::kDdsclFullscreenExclusive) !=
      plat::kOk) {
    return Fail(kNoFullScreen);
  }
  if (!SetDisplayMode()) return Fail(kNoDisplayMode);
  pacer_.SetRate(device_->RefreshRate());
  plat::SurfaceDesc primary;
  primary.flags = plat::kDdsdCaps;
  primary.caps = plat::kDdsCapsPrimarySurface;
  if (device_->CreateSurface(primary, &primary_) != plat::kOk) return Fail(kNoPrimary);
  if (!InitSurfaces()) return false;
  sound_->OpenSound();
  return true;
}

bool Screen::InitWindowed(std::int32_t width, std::int32_t height, plat::IPresentTarget& target) {
  width_ = width;
  height_ = height;
  target_ = &target;
  SetClip(0, 0, width_, height_);
  if (device_->Create() != plat::kOk) return Fail(kNoDirectDraw);
  created_ = true;
  // Surfaces need a cooperative level; the normal one cannot be refused.
  device_->SetCooperativeLevel(0, plat::kDdsclNormal);
  return InitSurfaces();
}

// The back buffer, the work buffer in slot 0 and the pixel format.
bool Screen::InitSurfaces() {
  if (CreatePlain(plat::kDdsCapsOffscreenPlain, &backBuffer_) != plat::kOk) return Fail(kNoBackBuffer);
  if (slots_ == nullptr) return Fail(kNoWorkBuffer);
  const std::uint32_t workCaps = plat::kDdsCapsOffscreenPlain | plat::kDdsCapsSystemMemory;
  if (CreatePlain(workCaps, &slots_->Slot(0).surface) != plat::kOk) return Fail(kNoWorkBuffer);
  slots_->SetSlotColourKey(0, plat::MakeColour(0, 0, 0));
  plat::PixelFormat format;
  if (backBuffer_->GetPixelFormat(format) != plat::kOk) return Fail(kNoPixelFormat);
  slots_->EmptyLoadSlots();
  return true;
}

// Full colour tries 24 bits per pixel, then 32; 16-bit colour has one try.
bool Screen::SetDisplayMode() {
  if (device_->SetDisplayMode(width_, height_, colourDepth_ * 8) == plat::kOk) return true;
  if (colourDepth_ != 3) return false;
  colourDepth_ = 4;
  return device_->SetDisplayMode(width_, height_, colourDepth_ * 8) == plat::kOk;
}

plat::HResult Screen::CreatePlain(std::uint32_t caps, plat::ISurface** out) {
  plat::SurfaceDesc desc;
  desc.flags = kSizedFlags;
  desc.caps = caps;
  desc.width = width_;
  desc.height = height_;
  return device_->CreateSurface(desc, out);
}

bool Screen::Fail(const char* content) {
  ReportInsideError(*boxes_, content);
  return false;
}

void Screen::Release() {
  if (!created_) return;
  if (slots_ != nullptr) slots_->ReleaseAll();
  if (backBuffer_ != nullptr) backBuffer_->Release();
  backBuffer_ = nullptr;
  if (primary_ != nullptr) primary_->Release();
  primary_ = nullptr;
  if (target_ == nullptr) {
    device_->RestoreDisplayMode();
    device_->SetCooperativeLevel(shell_->GetMainWindow(), plat::kDdsclNormal);
  }
  target_ = nullptr;
  device_->Release();
  created_ = false;
}

void Screen::RestoreSurfaces() {
  if (primary_ != nullptr) primary_->Restore();
  if (backBuffer_ != nullptr && backBuffer_->IsLost() != plat::kOk) backBuffer_->Restore();
  if (slots_ != nullptr) slots_->RestoreLost();
}

plat::HResult Screen::Clear() {
  if (backBuffer_ == nullptr) return plat::kEFail;
  return backBuffer_->ColourFill(0);
}

void Screen::Present() {
  pacer_.Presented();
  if (target_ != nullptr) return PresentToTarget();
  if (primary_ == nullptr || backBuffer_ == nullptr) return;
  const plat::Rect all{0, 0, width_, height_};
  if (primary_->Copy(all, *backBuffer_, all) == plat::kDdErrSurfaceLost) RestoreSurfaces();
}

void Screen::PresentToTarget() {
  if (backBuffer_ == nullptr) return;
  plat::LockedSurface frame;
  const plat::HResult locked = backBuffer_->Lock(frame);
  if (locked == plat::kDdErrSurfaceLost) return RestoreSurfaces();
  if (locked != plat::kOk) return;
  target_->Present(frame);
  backBuffer_->Unlock();
}

plat::HResult Screen::GetDC(Painter& painter) {
  painter.dc = nullptr;
  if (backBuffer_ == nullptr) return plat::kEFail;
  return backBuffer_->GetDC(&painter.dc);
}

plat::HResult Screen::ReleaseDC(Painter& painter) {
  if (backBuffer_ == nullptr || painter.dc == nullptr) return plat::kEFail;
  const plat::HResult result = backBuffer_->ReleaseDC(painter.dc);
  painter.dc = nullptr;
  return result;
}

void Screen::SetClip(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  clip_ = plat::Rect{left, top, right, bottom};
}

plat::IDisplayDevice* Screen::GetDirectDraw() const { return created_ ? device_ : nullptr; }

}  // namespace qrx
