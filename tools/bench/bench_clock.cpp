#include "tools/bench/bench_clock.h"

#include <sys/resource.h>
#include <time.h>

namespace bench {

std::int64_t NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

std::uint32_t BenchClock::TickCount() { return static_cast<std::uint32_t>(NowNs() / 1000000); }

plat::LocalTime BenchClock::Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  return plat::LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, local.tm_sec, static_cast<int>(ts.tv_nsec / 1000000)};
}

std::int64_t BenchClock::UnixSeconds() { return static_cast<std::int64_t>(time(nullptr)); }

std::int64_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return std::int64_t{usage.ru_maxrss} * 1024;  // Linux reports KiB
}

}  // namespace bench
