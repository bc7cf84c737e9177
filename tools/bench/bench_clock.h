// Time for the bench: a monotonic nanosecond stamp for the stage timings and
// the system clock behind the overlays (tick count and local time), as the
// running saver reads them.
#pragma once
#include <cstdint>

#include "platform/system.h"

namespace bench {

std::int64_t NowNs();  // monotonic

class BenchClock : public plat::IClock {
 public:
  std::uint32_t TickCount() override;
  plat::LocalTime Now() override;
  std::int64_t UnixSeconds() override;
};

// Peak resident set size of the process so far, in bytes.
std::int64_t PeakResidentBytes();

}  // namespace bench
