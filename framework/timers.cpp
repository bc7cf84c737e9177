#include "framework/timers.h"

namespace qrx {

Timer::Timer(plat::IClock& clock, std::uint32_t period)
    : clock_(&clock), start_(clock.TickCount()), period_(period) {}

void Timer::Restart() { start_ = clock_->TickCount(); }

// Unsigned differences keep measurements right across the tick count's wrap.
// A late check restarts from its own moment: missed periods are not made up.
bool Timer::PeriodPassed() {
  if (clock_->TickCount() - start_ < period_) return false;
  start_ = clock_->TickCount();
  return true;
}

bool Timer::HasElapsed(std::uint32_t ms) const { return clock_->TickCount() - start_ >= ms; }

std::uint32_t Timer::Remaining(std::uint32_t ms) const {
  const std::uint32_t elapsed = clock_->TickCount() - start_;
  return elapsed >= ms ? 0 : ms - elapsed;
}

KeyTracker::KeyTracker(plat::IInputState& input, std::int32_t virtualKey)
    : input_(&input), vk_(virtualKey) {}

void KeyTracker::Update() {
  // Next state indexed by [state][down]: pressed and released last one update.
  static constexpr std::int32_t kNext[4][2] = {
      {KeyUp, KeyPressed},        // KeyUp
      {KeyReleased, KeyHeld},     // KeyPressed
      {KeyReleased, KeyHeld},     // KeyHeld
      {KeyUp, KeyPressed},        // KeyReleased
  };
  const bool down = (input_->KeyState(vk_) & 0x80) != 0;
  state_ = kNext[state_ & 3][down ? 1 : 0];
}

void MouseTracker::GetPosition(std::int32_t* x, std::int32_t* y) const {
  std::int32_t px = 0, py = 0;
  input_->CursorPos(px, py);
  if (x != nullptr) *x = px;
  if (y != nullptr) *y = py;
}

}  // namespace qrx
