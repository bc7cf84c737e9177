// A host window under the test's control: its size changes at given times,
// it goes away at a given time, each wait advances the fake clock by its
// time-out; each frame shown is kept as its size and pixel counts.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/host_window.h"
#include "platform/soft/pixel_view.h"

namespace fake {

class FakeHostWindow : public plat::IHostWindow {
 public:
  struct Resize {
    std::uint32_t at;  // tick count from which the window has this size
    std::int32_t width, height;
  };
  struct Frame {
    std::uint32_t at;
    std::int32_t width, height;
    int lit;    // pixels not black
    int green;  // pixels of the overlay font's pure green
  };

  explicit FakeHostWindow(FakeClock& clock) : clock_(&clock) {}

  bool Size(std::int32_t& w, std::int32_t& h) override {
    if (Gone()) return false;
    for (const Resize& r : resizes) {
      if (clock_->ticks >= r.at) width = r.width, height = r.height;
    }
    w = width;
    h = height;
    return true;
  }
  void Wait(std::uint32_t timeoutMs) override {
    waits.push_back(timeoutMs);
    clock_->Advance(timeoutMs);
  }
  // goneAt is absolute like the ticks; a run that never ends fails instead
  // of hanging.
  bool Gone() override { return clock_->ticks >= goneAt || waits.size() >= 1000000; }
  void Present(const plat::LockedSurface& frame) override {
    using namespace plat::soft;
    const PixelLayout layout = frame.format.rgbBitCount == 16 ? PixelLayout::Rgb565 : PixelLayout::Xrgb8888;
    const PixelView view{static_cast<std::uint8_t*>(frame.bits), frame.pitch, frame.width, frame.height, layout};
    Frame stats{clock_->ticks, frame.width, frame.height, 0, 0};
    for (std::int32_t y = 0; y < frame.height; ++y) {
      for (std::int32_t x = 0; x < frame.width; ++x) {
        const std::uint32_t rgb = RgbFromNative(layout, ReadPixel(view, x, y));
        stats.lit += rgb != 0 ? 1 : 0;
        stats.green += rgb == 0x00FF00u ? 1 : 0;
      }
    }
    frames.push_back(stats);
  }

  std::int32_t width = 152, height = 112;
  std::vector<Resize> resizes;  // in time order
  std::uint32_t goneAt = 0xFFFFFFFFu;
  std::vector<std::uint32_t> waits;
  std::vector<Frame> frames;

 private:
  FakeClock* clock_;
};

}  // namespace fake
