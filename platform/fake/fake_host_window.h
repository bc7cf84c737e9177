// A host window under the test's control: its size changes at given times,
// it goes away at a given time, each wait advances the fake clock by its
// time-out; each frame shown is kept as its size and pixel counts.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/host_window.h"

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

  bool Size(std::int32_t& width, std::int32_t& height) override;
  void Wait(std::uint32_t timeoutMs) override;
  bool Gone() override;
  void Present(const plat::LockedSurface& frame) override;

  std::int32_t width = 152, height = 112;
  std::vector<Resize> resizes;  // in time order
  std::uint32_t goneAt = 0xFFFFFFFFu;
  std::vector<std::uint32_t> waits;
  std::vector<Frame> frames;

 private:
  FakeClock* clock_;
};

}  // namespace fake
