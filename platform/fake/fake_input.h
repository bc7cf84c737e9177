// Key states and cursor position set by the test. Down keys read as
// GetKeyState does (0xFF80: high bits set).
#pragma once
#include <cstdint>
#include <set>

#include "platform/system.h"

namespace fake {

class FakeInput : public plat::IInputState {
 public:
  std::set<int> down;
  std::int32_t cursorX = 0, cursorY = 0;
  int keyReads = 0;

  void SetKey(int virtualKey, bool isDown) {
    if (isDown) down.insert(virtualKey);
    else down.erase(virtualKey);
  }
  std::int16_t KeyState(int virtualKey) override {
    ++keyReads;
    return down.count(virtualKey) != 0 ? static_cast<std::int16_t>(0xFF80) : 0;
  }
  void CursorPos(std::int32_t& x, std::int32_t& y) override {
    x = cursorX;
    y = cursorY;
  }
};

}  // namespace fake
