#include "framework/refresh_pacer.h"

namespace qrx {

namespace {

constexpr std::int32_t kDefaultHz = 60;
constexpr std::int32_t kHighestHz = 1000;  // the clock counts milliseconds

}  // namespace

void RefreshPacer::SetRate(std::int32_t hz) {
  hz_ = hz > 0 && hz <= kHighestHz ? hz : kDefaultHz;
  started_ = false;
}

std::uint32_t RefreshPacer::Due() const {
  return anchor_ + static_cast<std::uint32_t>(frames_ * 1000 / static_cast<std::uint64_t>(hz_));
}

// Signed differences keep the answer right across the tick count's wrap.
std::uint32_t RefreshPacer::MsUntilDue() const {
  if (!started_) return 0;
  const auto left = static_cast<std::int32_t>(Due() - clock_->TickCount());
  return left > 0 ? static_cast<std::uint32_t>(left) : 0;
}

void RefreshPacer::Presented() {
  const std::uint32_t now = clock_->TickCount();
  const auto interval = static_cast<std::int32_t>(1000 / hz_);
  if (started_ && static_cast<std::int32_t>(now - Due()) < interval) {
    ++frames_;
    return;
  }
  started_ = true;
  anchor_ = now;
  frames_ = 1;
}

}  // namespace qrx
