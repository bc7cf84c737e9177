#include "platform/fake/fake_host_window.h"

#include "platform/soft/pixel_view.h"

namespace fake {

namespace {

constexpr std::size_t kMaxWaits = 1000000;  // a run that never ends fails instead of hanging

}  // namespace

bool FakeHostWindow::Size(std::int32_t& w, std::int32_t& h) {
  if (Gone()) return false;
  for (const Resize& r : resizes) {
    if (clock_->ticks >= r.at) width = r.width, height = r.height;
  }
  w = width;
  h = height;
  return true;
}

void FakeHostWindow::Wait(std::uint32_t timeoutMs) {
  waits.push_back(timeoutMs);
  clock_->Advance(timeoutMs);
}

bool FakeHostWindow::Gone() {
  // Ticks start at an arbitrary value; goneAt is absolute like them.
  return clock_->ticks >= goneAt || waits.size() >= kMaxWaits;
}

void FakeHostWindow::Present(const plat::LockedSurface& frame) {
  using plat::soft::PixelLayout;
  const PixelLayout layout =
      frame.format.rgbBitCount == 16 ? PixelLayout::Rgb565 : PixelLayout::Xrgb8888;
  const plat::soft::PixelView view{static_cast<std::uint8_t*>(frame.bits), frame.pitch,
                                   frame.width, frame.height, layout};
  Frame stats{clock_->ticks, frame.width, frame.height, 0, 0};
  for (std::int32_t y = 0; y < frame.height; ++y) {
    for (std::int32_t x = 0; x < frame.width; ++x) {
      const std::uint32_t rgb = plat::soft::RgbFromNative(layout, plat::soft::ReadPixel(view, x, y));
      stats.lit += rgb != 0 ? 1 : 0;
      stats.green += rgb == 0x00FF00u ? 1 : 0;
    }
  }
  frames.push_back(stats);
}

}  // namespace fake
