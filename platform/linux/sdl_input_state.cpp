#include "platform/linux/sdl_input_state.h"

#include <SDL.h>

#include "platform/linux/sdl_key_map.h"
#include "platform/linux/sdl_window_system.h"

namespace plat::linux_port {

namespace {

constexpr std::int16_t kDown = static_cast<std::int16_t>(0xFF80);  // as GetKeyState reports
constexpr int kVkLButton = 0x01, kVkRButton = 0x02, kVkMButton = 0x04;

bool ButtonDown(int virtualKey) {
  const std::uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  switch (virtualKey) {
    case kVkLButton: return (buttons & SDL_BUTTON_LMASK) != 0;
    case kVkRButton: return (buttons & SDL_BUTTON_RMASK) != 0;
    case kVkMButton: return (buttons & SDL_BUTTON_MMASK) != 0;
    default: return false;
  }
}

}  // namespace

// Shift, Ctrl and Alt count as down when either of their keys is.
std::int16_t SdlInputState::KeyState(int virtualKey) {
  if (ButtonDown(virtualKey)) return kDown;
  SDL_Scancode codes[2];
  const int n = ScancodesFor(virtualKey, codes);
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  for (int i = 0; i < n; ++i) {
    if (codes[i] < count && keys[codes[i]] != 0) return kDown;
  }
  return 0;
}

void SdlInputState::CursorPos(std::int32_t& x, std::int32_t& y) { windows_->CursorPosition(x, y); }

}  // namespace plat::linux_port
