#include "platform/linux/linux_clock.h"

#include <ctime>

namespace plat::linux_port {

std::uint32_t LinuxClock::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                           static_cast<std::uint64_t>(now.tv_nsec / 1000000);
  return static_cast<std::uint32_t>(ms);
}

LocalTime LinuxClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm parts{};
  const std::time_t seconds = now.tv_sec;
  localtime_r(&seconds, &parts);
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                   parts.tm_min,         parts.tm_sec,     static_cast<int>(now.tv_nsec / 1000000)};
}

std::int64_t LinuxClock::UnixSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace plat::linux_port
