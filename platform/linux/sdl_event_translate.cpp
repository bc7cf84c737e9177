// SDL events as the messages Windows would have delivered to the window.
#include <algorithm>

#include "platform/linux/sdl_key_map.h"
#include "platform/linux/sdl_window_system.h"

namespace plat::linux_port {

namespace {

constexpr std::intptr_t kHtClient = 1;
constexpr std::uint32_t kWmMButtonUp = 0x0208;
constexpr std::uint32_t kWmLastMouse = 0x020E;
constexpr std::uintptr_t kMkLButton = 0x1, kMkRButton = 0x2, kMkShift = 0x4, kMkControl = 0x8,
                         kMkMButton = 0x10;

std::intptr_t PointParam(int x, int y) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                    static_cast<std::uint32_t>(x & 0xFFFF));
}

std::uintptr_t MouseKeyFlags(std::uint32_t buttons) {
  const SDL_Keymod mod = SDL_GetModState();
  std::uintptr_t flags = 0;
  if (buttons & SDL_BUTTON_LMASK) flags |= kMkLButton;
  if (buttons & SDL_BUTTON_RMASK) flags |= kMkRButton;
  if (buttons & SDL_BUTTON_MMASK) flags |= kMkMButton;
  if (mod & KMOD_SHIFT) flags |= kMkShift;
  if (mod & KMOD_CTRL) flags |= kMkControl;
  return flags;
}

std::uint32_t ButtonMessage(std::uint8_t button, bool down) {
  switch (button) {
    case SDL_BUTTON_LEFT: return down ? kWmLButtonDown : kWmLButtonUp;
    case SDL_BUTTON_RIGHT: return down ? kWmRButtonDown : kWmRButtonUp;
    case SDL_BUTTON_MIDDLE: return down ? kWmMButtonDown : kWmMButtonUp;
    default: return 0;
  }
}

}  // namespace

void SdlWindowSystem::PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) Translate(event);
}

void SdlWindowSystem::Queue(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (handle_ != 0) input_.push_back(WindowMessage{handle_, message, wParam, lParam});
}

void SdlWindowSystem::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_MOUSEMOTION:
      TranslateMouse(kWmMouseMove, MouseKeyFlags(event.motion.state), event.motion.x,
                     event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      const std::uint32_t message = ButtonMessage(event.button.button, down);
      if (message != 0) {
        // The flags show the button as the message itself reports it.
        std::uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
        const std::uint32_t mask = SDL_BUTTON(event.button.button);
        buttons = down ? (buttons | mask) : (buttons & ~mask);
        TranslateMouse(message, MouseKeyFlags(buttons), event.button.x, event.button.y);
      }
      break;
    }
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_QUIT:  // SDL's own close request: close the ordinary way
      Queue(kWmClose, 0, 0);
      break;
    default:
      break;
  }
}

// Alt, F10 and keys pressed with Alt (without Ctrl) are system keys.
void SdlWindowSystem::TranslateKey(const SDL_KeyboardEvent& key) {
  const int vk = VirtualKeyFor(key.keysym.sym);
  const bool alt = (key.keysym.mod & KMOD_ALT) != 0 && (key.keysym.mod & KMOD_CTRL) == 0;
  const bool system = vk == kVkMenu || vk == kVkF10 || alt;
  const bool down = key.type == SDL_KEYDOWN;
  std::uint32_t lParam = 1u;  // repeat count; no PC scan code to give
  if (alt) lParam |= 1u << 29;
  if (!down || key.repeat != 0) lParam |= 1u << 30;
  if (!down) lParam |= 1u << 31;
  const std::uint32_t message =
      down ? (system ? kWmSysKeyDown : kWmKeyDown) : (system ? kWmSysKeyUp : kWmKeyUp);
  Queue(message, static_cast<std::uintptr_t>(vk), static_cast<std::intptr_t>(lParam));
}

// Windows asks for the cursor before every mouse message over a window.
void SdlWindowSystem::TranslateMouse(std::uint32_t message, std::uintptr_t flags, int x, int y) {
  int left = 0, top = 0;
  if (window_ != nullptr) SDL_GetWindowPosition(window_, &left, &top);
  cursorX_ = left + x;
  cursorY_ = top + y;
  Queue(kWmSetCursor, handle_, kHtClient | static_cast<std::intptr_t>(message << 16));
  Queue(message, flags, PointParam(x, y));
}

// Focus changes are no activation: the window holds the input while it is up.
void SdlWindowSystem::TranslateWindowEvent(const SDL_WindowEvent& event) {
  if (event.windowID == handle_ && event.event == SDL_WINDOWEVENT_CLOSE) Queue(kWmClose, 0, 0);
}

// Keyboard and mouse messages go; activation and close requests stay.
void SdlWindowSystem::DropInput() {
  input_.erase(std::remove_if(input_.begin(), input_.end(),
                              [](const WindowMessage& m) {
                                return (m.message >= kWmKeyDown && m.message <= kWmSysKeyUp) ||
                                       m.message == kWmSetCursor ||
                                       (m.message >= kWmMouseMove && m.message <= kWmLastMouse);
                              }),
               input_.end());
}

}  // namespace plat::linux_port
