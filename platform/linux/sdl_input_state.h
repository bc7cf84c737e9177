// Key state from SDL's keyboard state (as far as events have been pumped,
// like GetKeyState's view of the message queue) and the cursor position.
#pragma once
#include "platform/system.h"

namespace plat::linux_port {

class SdlWindowSystem;

class SdlInputState : public IInputState {
 public:
  explicit SdlInputState(SdlWindowSystem& windows) : windows_(&windows) {}
  std::int16_t KeyState(int virtualKey) override;
  void CursorPos(std::int32_t& x, std::int32_t& y) override;

 private:
  SdlWindowSystem* windows_;
};

}  // namespace plat::linux_port
