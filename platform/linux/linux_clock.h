// Tick count from the monotonic clock (milliseconds, wrapping at 2^32 like
// GetTickCount) and the local time with milliseconds.
#pragma once
#include "platform/system.h"

namespace plat::linux_port {

class LinuxClock : public IClock {
 public:
  std::uint32_t TickCount() override;
  LocalTime Now() override;
  std::int64_t UnixSeconds() override;
};

}  // namespace plat::linux_port
