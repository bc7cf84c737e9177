// Polled stopwatch and input trackers over the platform's tick count, key
// state and cursor position.
#pragma once
#include <cstdint>

#include "platform/system.h"

namespace qrx {

class Timer {
 public:
  explicit Timer(plat::IClock& clock, std::uint32_t period = 0);
  void Restart();
  bool PeriodPassed();                  // restarts when it answers true
  bool HasElapsed(std::uint32_t ms) const;
  std::uint32_t Remaining(std::uint32_t ms) const;  // until HasElapsed(ms); 0 once it has
  std::uint32_t Start() const { return start_; }
  std::uint32_t Period() const { return period_; }

 private:
  plat::IClock* clock_;
  std::uint32_t start_;
  std::uint32_t period_;
};

class KeyTracker {
 public:
  enum State : std::int32_t { KeyUp = 0, KeyPressed = 1, KeyHeld = 2, KeyReleased = 3 };
  KeyTracker(plat::IInputState& input, std::int32_t virtualKey);
  void Update();
  std::int32_t GetState() const { return state_; }

 private:
  plat::IInputState* input_;
  std::int32_t vk_;
  std::int32_t state_ = KeyUp;
};

class MouseTracker {
 public:
  explicit MouseTracker(plat::IInputState& input) : input_(&input) {}
  void GetPosition(std::int32_t* x, std::int32_t* y) const;

 private:
  plat::IInputState* input_;
};

}  // namespace qrx
