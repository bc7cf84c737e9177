// The display object: primary surface, back buffer, work buffer (slot 0),
// clip rectangle, surface-loss recovery and release. The bitmap slot table
// and sprites live in surface_slots.h and share this state.
#pragma once
#include <cstdint>

#include "framework/painter.h"
#include "framework/refresh_pacer.h"
#include "platform/display_device.h"
#include "platform/soft/present_target.h"
#include "platform/system.h"

namespace qrx {

class AppShell;
class BoxHost;
class SoundSystem;
class SlotTable;

class Screen {
 public:
  Screen(plat::IDisplayDevice& device, plat::IClock& clock, AppShell& shell, BoxHost& boxes,
         SoundSystem& sound);
  void AttachSlots(SlotTable* slots) { slots_ = slots; }

  bool Init16(std::int32_t width, std::int32_t height);
  bool InitFullColour(std::int32_t width, std::int32_t height);
  // Drawing inside another program's window: the display keeps its mode and
  // the cooperative level stays normal, no sound is opened, and Present
  // hands the back buffer to target instead of copying it to a primary.
  bool InitWindowed(std::int32_t width, std::int32_t height, plat::IPresentTarget& target);
  void Release();
  void RestoreSurfaces();
  // Clear, Present, GetDC and ReleaseDC do nothing (and answer E_FAIL) when
  // the init never made the surfaces they need.
  plat::HResult Clear();
  void Present();
  // Milliseconds until a present would not come before the display's next
  // refresh; 0 when one may go now. Paces presents with or without surfaces.
  std::uint32_t MsUntilNextRefresh() const { return pacer_.MsUntilDue(); }
  plat::HResult GetDC(Painter& painter);
  plat::HResult ReleaseDC(Painter& painter);
  void SetClip(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  // The display object when it exists (non-null only between a Create and
  // Release), for the switch to the GDI surface before dialogs and boxes.
  plat::IDisplayDevice* GetDirectDraw() const;

  std::int32_t ColourDepth() const { return colourDepth_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  plat::Rect Clip() const { return clip_; }
  plat::ISurface* BackBuffer() const { return backBuffer_; }
  plat::ISurface* Primary() const { return primary_; }

 private:
  bool Init();
  bool InitSurfaces();
  void PresentToTarget();
  bool SetDisplayMode();
  plat::HResult CreatePlain(std::uint32_t caps, plat::ISurface** out);
  bool Fail(const char* content);

  plat::IDisplayDevice* device_;
  AppShell* shell_;
  BoxHost* boxes_;
  SoundSystem* sound_;
  SlotTable* slots_ = nullptr;
  bool created_ = false;
  std::int32_t colourDepth_ = 2;
  std::int32_t width_ = 0, height_ = 0;
  plat::Rect clip_{0, 0, 0, 0};
  plat::ISurface* primary_ = nullptr;
  plat::ISurface* backBuffer_ = nullptr;
  plat::IPresentTarget* target_ = nullptr;  // set while windowed
  RefreshPacer pacer_;
};

}  // namespace qrx
