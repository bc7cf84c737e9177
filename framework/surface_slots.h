// The process-wide table of 1024 bitmap slots (slot 0 is the Screen's work
// buffer) and the Sprite handle that owns one slot.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/display_device.h"
#include "platform/system.h"

namespace qrx {

class BoxHost;
class Screen;

struct SurfaceSlot {
  plat::ISurface* surface = nullptr;
  std::unique_ptr<char[]> name;
  plat::ColourRef keyColour = 0;
};

class SlotTable {
 public:
  static constexpr int kSlotCount = 1024;
  static constexpr std::size_t kPathSize = 256;  // bitmap paths beside the module, NUL included

  SlotTable(Screen& screen, plat::IDisplayDevice& device, plat::IBitmapLoader& bitmaps,
            plat::ISystemInfo& system, BoxHost& boxes);

  int LoadSlot(const char* name, bool systemMemory);
  void ReloadSlot(int index);
  void FreeSlot(int index);
  plat::HResult SetSlotColourKey(int index, plat::ColourRef colour);
  // Draws nothing for slot 0 (the work buffer, held by a sprite whose load
  // failed), for indices outside the table and for empty slots.
  void DrawSlot(std::int32_t x, std::int32_t y, int index, std::int32_t srcX, std::int32_t srcY,
                std::int32_t w, std::int32_t h);

  plat::ISurface* CreateSurfaceFromBitmap(const char* name, bool systemMemory);
  plat::IBitmap* LoadBitmapImage(const char* name);
  plat::HResult CopyBitmapToSurface(plat::ISurface* surface, const plat::IBitmap* bitmap);
  std::uint32_t MatchColour(plat::ISurface* surface, plat::ColourRef colour);
  plat::HResult SetSurfaceColourKey(plat::ISurface* surface, plat::ColourRef colour);

  // The Screen's share: forget slots 1..1023 at init without releasing
  // surfaces, release every slot, restore and refill lost slots.
  void EmptyLoadSlots();
  void ReleaseAll();
  void RestoreLost();

  SurfaceSlot& Slot(int index) { return slots_[index]; }
  const SurfaceSlot& Slot(int index) const { return slots_[index]; }

 private:
  int Report(const char* content, const char* remedy);

  Screen* screen_;
  plat::IDisplayDevice* device_;
  plat::IBitmapLoader* bitmaps_;
  plat::ISystemInfo* system_;
  BoxHost* boxes_;
  SurfaceSlot slots_[kSlotCount];
};

class Sprite {
 public:
  explicit Sprite(SlotTable& table) : table_(&table) {}
  ~Sprite() { Release(); }
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;
  int Load(const char* name);
  void Release();
  void Draw(std::int32_t x, std::int32_t y, std::int32_t srcX, std::int32_t srcY, std::int32_t w,
            std::int32_t h);
  int SlotIndex() const { return slot_; }

 private:
  SlotTable* table_;
  int slot_ = 0;
};

}  // namespace qrx
