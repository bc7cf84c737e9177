// The framework's display objects over the software device and fakes, a
// bare pixel canvas and bitmap files in memory: for the tests of the screen,
// slots, trail drawing, rasteriser and bitmap parser.
#pragma once
#include <algorithm>
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

// Pixels in memory of either layout, as a view for the rasteriser.
struct Canvas {
  Canvas(std::int32_t w, std::int32_t h, plat::soft::PixelLayout layout = plat::soft::PixelLayout::Xrgb8888)
      : memory(static_cast<std::size_t>(w) * h, 0) {
    const std::int32_t pitch = w * plat::soft::BytesPerPixel(layout);
    view = plat::soft::PixelView{reinterpret_cast<std::uint8_t*>(memory.data()), pitch, w, h, layout};
  }
  std::uint32_t At(std::int32_t x, std::int32_t y) const { return plat::soft::ReadPixel(view, x, y); }
  // Lit pixels of a 32-bit canvas, the only layout it is asked of.
  long Lit() const { return std::count_if(memory.begin(), memory.end(), [](std::uint32_t p) { return p != 0; }); }
  std::vector<std::uint32_t> memory;  // room for either layout
  plat::soft::PixelView view;
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

inline void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Palette entry i of MakeDib's bitmaps.
inline std::uint32_t PaletteRgb(int i) { return (0x10101u * (i * 16 + 1)) & 0xFFFFFF; }

// A DIB with an info header: width x height at bpp, a palette of `colours`
// entries (PaletteRgb), pixels from value(x, y) with y from the top (an index,
// or the raw value for 16 bits and more). Stored bottom-up unless topDown.
template <typename ValueFn>
std::vector<std::uint8_t> MakeDib(std::int32_t width, std::int32_t height, int bpp, int colours, bool topDown,
                                  bool fileHeader, ValueFn value) {
  const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  const std::size_t head = fileHeader ? 14 : 0, pixelsAt = head + 40 + 4 * colours;
  std::vector<std::uint8_t> b(pixelsAt + stride * height, 0);
  if (fileHeader) {
    b[0] = 'B', b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, static_cast<std::uint32_t>(pixelsAt), 4);
  }
  // The info header's fields: offset, value, size.
  const std::uint32_t fields[][3] = {{0, 40, 4},  {4, std::uint32_t(width), 4},
                                     {8, std::uint32_t(topDown ? -height : height), 4},
                                     {12, 1, 2}, {14, std::uint32_t(bpp), 2}, {32, std::uint32_t(colours), 4}};
  for (const auto& f : fields) Put(b, head + f[0], f[1], static_cast<int>(f[2]));
  for (int i = 0; i < colours; ++i) Put(b, head + 40 + 4 * i, PaletteRgb(i), 4);
  for (std::int32_t y = 0; y < height; ++y) {
    const std::size_t row = pixelsAt + stride * (topDown ? y : height - 1 - y);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, y);
      if (bpp < 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bpp;
        b[row + bit / 8] |= static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
      } else {
        Put(b, row + static_cast<std::size_t>(x) * (bpp / 8), v, bpp / 8);
      }
    }
  }
  return b;
}

// A bitmap file of 24 bits per pixel; pixel(x, y) gives 0x00RRGGBB.
template <typename PixelFn>
std::vector<std::uint8_t> MakeBmp24(std::int32_t width, std::int32_t height, PixelFn pixel) {
  return MakeDib(width, height, 24, 0, false, true, pixel);
}

}  // namespace testrig
