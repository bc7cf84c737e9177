// A clock under the test's control: tick count (wrapping at 2^32), local
// time and calendar seconds. `step` is added after every tick-count read,
// for code that reads the clock more than once per operation.
#pragma once
#include <cstdint>

#include "platform/system.h"

namespace fake {

class FakeClock : public plat::IClock {
 public:
  std::uint32_t ticks = 0;
  std::uint32_t step = 0;
  plat::LocalTime local{2024, 1, 1, 0, 0, 0, 0};
  std::int64_t seconds = 1700000000;

  void Advance(std::uint32_t ms) { ticks += ms; }
  std::uint32_t TickCount() override {
    const std::uint32_t now = ticks;
    ticks += step;
    return now;
  }
  plat::LocalTime Now() override { return local; }
  std::int64_t UnixSeconds() override { return seconds; }
};

}  // namespace fake
