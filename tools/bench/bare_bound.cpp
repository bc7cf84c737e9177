#include "tools/bench/bare_bound.h"

#include <cstring>

#include "tools/bench/bench_clock.h"

namespace bench {

bool BareBound::Measure(BoundTimes& out) {
  plat::LockedSurface back, primary;
  if (back_->Lock(back) != plat::kOk) return false;
  if (primary_->Lock(primary) != plat::kOk) {
    back_->Unlock();
    return false;
  }
  const std::size_t bytes = static_cast<std::size_t>(back.pitch) * static_cast<std::size_t>(back.height);
  const std::int64_t t0 = NowNs();
  std::memset(back.bits, 0, bytes);
  const std::int64_t t1 = NowNs();
  std::memcpy(primary.bits, back.bits, bytes);
  const std::int64_t t2 = NowNs();
  primary_->Unlock();
  back_->Unlock();
  out.clearNs = t1 - t0;
  out.copyNs = t2 - t1;
  return true;
}

}  // namespace bench
