#include "framework/surface_slots.h"

#include <cstring>
#include <new>

#include "framework/message_dialog.h"
#include "framework/screen.h"

namespace qrx {
namespace {

const char kTableFull[] = "ビットマップバッファが上限に達しました。";
const char kTableFullRemedy[] = "ロードされたビットマップの数が多すぎます。";
const char kLoadFailed[] = "ビットマップを読み込めません。";
const char kLoadFailedRemedy[] =
    "次のいずれかの原因が考えられます。\nファイル名が間違っている。\n"
    "ビットマップが大きすぎる。\nメモリが不足している。";

bool InTable(int index) { return index >= 0 && index < SlotTable::kSlotCount; }

std::unique_ptr<char[]> CopyName(const char* name) {
  const std::size_t length = std::strlen(name);
  std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
  if (copy) std::memcpy(copy.get(), name, length + 1);
  return copy;
}

}  // namespace

SlotTable::SlotTable(Screen& screen, plat::IDisplayDevice& device, plat::IBitmapLoader& bitmaps,
                     plat::ISystemInfo& system, BoxHost& boxes)
    : screen_(&screen), device_(&device), bitmaps_(&bitmaps), system_(&system), boxes_(&boxes) {}

int SlotTable::Report(const char* content, const char* remedy) {
  ReportInsideError(*boxes_, content, remedy);
  return 0;
}

int SlotTable::LoadSlot(const char* name, bool systemMemory) {
  int index = 1;
  while (index < kSlotCount && slots_[index].name) ++index;
  if (index == kSlotCount) return Report(kTableFull, kTableFullRemedy);
  plat::ISurface* surface = name != nullptr ? CreateSurfaceFromBitmap(name, systemMemory) : nullptr;
  std::unique_ptr<char[]> copy = surface != nullptr ? CopyName(name) : nullptr;
  if (surface != nullptr && !copy) surface->Release();  // memory is short: the slot stays free
  if (!copy) return Report(kLoadFailed, kLoadFailedRemedy);
  SurfaceSlot& slot = slots_[index];
  slot.surface = surface;
  SetSurfaceColourKey(surface, 0);
  slot.keyColour = 0;
  slot.name = std::move(copy);
  return index;
}

void SlotTable::ReloadSlot(int index) {
  if (index < 1 || !InTable(index) || slots_[index].surface == nullptr) return;
  SurfaceSlot& slot = slots_[index];
  plat::IBitmap* bitmap = LoadBitmapImage(slot.name.get());
  CopyBitmapToSurface(slot.surface, bitmap);
  bitmaps_->Delete(bitmap);
  SetSurfaceColourKey(slot.surface, slot.keyColour);
}

void SlotTable::FreeSlot(int index) {
  if (index < 1 || !InTable(index)) return;
  SurfaceSlot& slot = slots_[index];
  if (slot.surface != nullptr) {
    slot.surface->Release();
    slot.surface = nullptr;
    slot.keyColour = 0;
  }
  slot.name.reset();
}

plat::HResult SlotTable::SetSlotColourKey(int index, plat::ColourRef colour) {
  if (!InTable(index)) return plat::kDdErrInvalidParams;
  const plat::HResult result = SetSurfaceColourKey(slots_[index].surface, colour);
  slots_[index].keyColour = colour;
  return result;
}

void SlotTable::DrawSlot(std::int32_t x, std::int32_t y, int index, std::int32_t srcX,
                         std::int32_t srcY, std::int32_t w, std::int32_t h) {
  plat::ISurface* back = screen_->BackBuffer();
  if (index < 1 || !InTable(index) || slots_[index].surface == nullptr || back == nullptr) return;
  const plat::Rect clip = screen_->Clip();
  // Wide arithmetic: positions far off the screen must not overflow.
  std::int64_t dx = x, dy = y, sx = srcX, sy = srcY, dw = w, dh = h;
  if (dx + dw > clip.right) dw = clip.right - dx;
  if (dy + dh > clip.bottom) dh = clip.bottom - dy;
  if (dx < clip.left) sx += clip.left - dx, dw -= clip.left - dx, dx = clip.left;
  if (dy < clip.top) sy += clip.top - dy, dh -= clip.top - dy, dy = clip.top;
  if (dw <= 0 || dh <= 0) return;
  if (sx < INT32_MIN || sy < INT32_MIN || sx + dw > INT32_MAX || sy + dh > INT32_MAX) return;
  const plat::Rect source{static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy),
                          static_cast<std::int32_t>(sx + dw), static_cast<std::int32_t>(sy + dh)};
  const plat::HResult result = back->CopyKeyed(static_cast<std::int32_t>(dx),
                                               static_cast<std::int32_t>(dy), *slots_[index].surface, source);
  if (result == plat::kDdErrSurfaceLost) screen_->RestoreSurfaces();
}

void SlotTable::EmptyLoadSlots() {
  for (int i = 1; i < kSlotCount; ++i) {
    slots_[i].surface = nullptr;
    slots_[i].name.reset();
    slots_[i].keyColour = 0;
  }
}

void SlotTable::ReleaseAll() {
  for (SurfaceSlot& slot : slots_) {
    if (slot.surface != nullptr) slot.surface->Release();
    slot.surface = nullptr;
    slot.name.reset();
  }
}

void SlotTable::RestoreLost() {
  for (int i = 0; i < kSlotCount; ++i) {
    plat::ISurface* surface = slots_[i].surface;
    if (surface == nullptr || surface->IsLost() == plat::kOk) continue;
    surface->Restore();
    ReloadSlot(i);
  }
}

int Sprite::Load(const char* name) {
  Release();
  slot_ = table_->LoadSlot(name, true);
  return slot_;
}

void Sprite::Release() {
  if (slot_ != 0 && table_->Slot(slot_).surface != nullptr) table_->FreeSlot(slot_);
  slot_ = 0;
}

void Sprite::Draw(std::int32_t x, std::int32_t y, std::int32_t srcX, std::int32_t srcY,
                  std::int32_t w, std::int32_t h) {
  table_->DrawSlot(x, y, slot_, srcX, srcY, w, h);
}

}  // namespace qrx
