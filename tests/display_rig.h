// The framework's display objects over the software device and fakes, for
// tests of the screen, slots, sprites and trail drawing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "framework/screen.h"
#include "framework/sound_system.h"
#include "framework/surface_slots.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/fake_window_system.h"
#include "platform/soft/pixel_view.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"
#include "platform/soft/soft_surface.h"

namespace testrig {

// A device whose only working call is the flip to the GDI surface: counted,
// logged when given a log, answered with flipResult. For dialogs and boxes.
class FlipOnlyDisplay : public plat::IDisplayDevice {
 public:
  int flips = 0;
  fake::CallLog* log = nullptr;
  plat::HResult flipResult = plat::kOk;
  plat::HResult Create() override { return plat::kOk; }
  plat::HResult SetCooperativeLevel(plat::WindowHandle, std::uint32_t) override { return plat::kOk; }
  plat::HResult SetDisplayMode(std::int32_t, std::int32_t, std::int32_t) override { return plat::kOk; }
  plat::HResult CreateSurface(const plat::SurfaceDesc&, plat::ISurface**) override { return plat::kEFail; }
  plat::HResult RestoreDisplayMode() override { return plat::kOk; }
  plat::HResult FlipToGdiSurface() override {
    ++flips;
    fake::Note(log, "FlipToGdiSurface");
    return flipResult;
  }
  std::int32_t RefreshRate() override { return 0; }
  void Release() override {}
};

struct DisplayRig {
  explicit DisplayRig(std::int32_t width = 320, std::int32_t height = 200)
      : device(width, height), width(width), height(height) {
    host.AttachScreen(&screen);
    screen.AttachSlots(&slots);
  }

  // The surface's pixel at (x, y) in its native format.
  static std::uint32_t Pixel(plat::ISurface* surface, std::int32_t x, std::int32_t y) {
    auto* soft = static_cast<plat::soft::SoftSurface*>(surface);
    return plat::soft::ReadPixel(soft->View(), x, y);
  }
  static plat::soft::PixelLayout Layout(plat::ISurface* surface) {
    return static_cast<plat::soft::SoftSurface*>(surface)->View().layout;
  }
  std::uint32_t Back(std::int32_t x, std::int32_t y) const { return Pixel(screen.BackBuffer(), x, y); }
  std::uint32_t Native(plat::ColourRef colour) const {
    return plat::soft::NativeFromColour(Layout(screen.BackBuffer()), colour);
  }
  std::string LastBoxText() const { return boxes.shown.empty() ? std::string() : boxes.shown.back().text; }

  plat::soft::SoftDisplayDevice device;  // outlives the screen's surfaces
  std::int32_t width, height;
  fake::FakeWindowSystem windows;
  fake::FakeClock clock;
  fake::FakeMessageBoxes boxes;
  fake::FakeSound sound;
  fake::FakeSystemInfo system;
  plat::soft::SoftBitmapLoader bitmaps;
  qrx::Random random;
  qrx::AppShell shell{windows, clock, random};
  qrx::SoundSystem soundSystem{sound, shell};
  qrx::BoxHost host{boxes, windows, shell};
  qrx::Screen screen{device, clock, shell, host, soundSystem};
  qrx::SlotTable slots{screen, device, bitmaps, system, host};
};

// A Windows bitmap file in memory: 24 bits per pixel, bottom-up, with the
// file header; pixel(x, y) gives 0x00RRGGBB with y from the top.
template <typename PixelFn>
std::vector<std::uint8_t> MakeBmp24(std::int32_t width, std::int32_t height, PixelFn pixel) {
  const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * 24 + 31) / 32) * 4;
  const std::uint32_t size = 54 + stride * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> b(size, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, size), put32(10, 54), put32(14, 40), put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  b[26] = 1, b[28] = 24;
  for (std::int32_t y = 0; y < height; ++y) {
    std::uint8_t* row = b.data() + 54 + stride * static_cast<std::uint32_t>(height - 1 - y);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint32_t rgb = pixel(x, y);
      row[3 * x] = rgb & 0xFF, row[3 * x + 1] = (rgb >> 8) & 0xFF, row[3 * x + 2] = (rgb >> 16) & 0xFF;
    }
  }
  return b;
}

}  // namespace testrig
