// The Linux window system on SDL's dummy video driver: no display needed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <utility>
#include <vector>

#include "platform/linux/sdl_key_map.h"
#include "platform/linux/sdl_window_system.h"

namespace {

using plat::WindowMessage;
using plat::linux_port::SdlWindowSystem;

// Keys become virtual-key messages (Alt ones system keys); posted messages
// come before input, WM_QUIT last; a click maps to WM_LBUTTONDOWN with its
// place, SDL's quit to WM_CLOSE; showing activates, a focus change does not
// deactivate.
TEST(SdlWindowSystem, EventsBecomeTheShellsMessagesInOrder) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS)) << SDL_GetError();
  auto* windows = new SdlWindowSystem;
  windows->RegisterWindowClass("QRXAPPWNDCLS", 1, [](plat::WindowHandle, std::uint32_t, std::uintptr_t,
                                                     std::intptr_t) { return std::intptr_t{0}; });
  const plat::WindowHandle window = windows->CreateMainWindow("QRXAPPWNDCLS", "title", 0, 0, 640, 480, 1);
  ASSERT_NE(0u, window);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  const auto PushKey = [window](SDL_Keycode key, bool down, Uint16 mod = KMOD_NONE) {
    SDL_Event k{};
    k.type = k.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    k.key.windowID = static_cast<Uint32>(window);
    k.key.keysym.sym = key;
    k.key.keysym.mod = mod;
    SDL_PushEvent(&k);
  };
  windows->ShowAndUpdate(window, 1);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = static_cast<Uint32>(window);
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&e);
  for (SDL_Keycode key : {SDLK_a, SDLK_ESCAPE, SDLK_F10}) PushKey(key, true);
  PushKey(SDLK_LALT, true, KMOD_LALT);
  PushKey(SDLK_x, true, KMOD_LALT);
  PushKey(SDLK_a, false);
  e = SDL_Event{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = static_cast<Uint32>(window);
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = 100, e.button.y = 200;
  SDL_PushEvent(&e);
  e = SDL_Event{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
  windows->PostQuitMessage(0);
  EXPECT_TRUE(windows->PostMessage(window, plat::kWmClose, 0, 0));
  EXPECT_FALSE(windows->PostMessage(window + 1, plat::kWmClose, 0, 0)) << "no such window";
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> got;
  for (WindowMessage m; got.empty() || got.back().first != plat::kWmQuit;) {
    ASSERT_TRUE(windows->PeekMessage(m));
    got.push_back({m.message, m.message == plat::kWmSetCursor ? 0 : m.wParam});
    if (m.message == plat::kWmKeyUp) {
      EXPECT_EQ(0xC0000001, m.lParam) << "previous state and transition bits";
    } else if (m.message == plat::kWmLButtonDown) {
      EXPECT_EQ((200 << 16) | 100, m.lParam);
    }
  }
  const std::vector<std::pair<std::uint32_t, std::uintptr_t>> expected = {
      {plat::kWmClose, 0},        {plat::kWmActivateApp, 1},        {plat::kWmKeyDown, 'A'},
      {plat::kWmKeyDown, plat::kVkEscape}, {plat::kWmSysKeyDown, plat::kVkF10}, {plat::kWmSysKeyDown, plat::kVkMenu},
      {plat::kWmSysKeyDown, 'X'}, {plat::kWmKeyUp, 'A'},            {plat::kWmSetCursor, 0},
      {plat::kWmLButtonDown, 1},  {plat::kWmClose, 0},              {plat::kWmQuit, 0}};
  EXPECT_EQ(expected, got);
  std::int32_t x = 0, y = 0;
  windows->CursorPosition(x, y);
  EXPECT_EQ(100, x);
  EXPECT_EQ(200, y);
  delete windows;
  SDL_Quit();
}

// Keys the event table above leaves out; and back from a virtual key to the
// scancodes whose state it stands for.
TEST(LinuxKeyMap, VirtualKeysBothWays) {
  const std::pair<SDL_Keycode, int> cases[] = {
      {SDLK_7, '7'}, {SDLK_F12, plat::kVkF1 + 11}, {SDLK_RSHIFT, plat::kVkShift}, {SDLK_LCTRL, plat::kVkControl}};
  for (const auto& c : cases) EXPECT_EQ(c.second, plat::linux_port::VirtualKeyFor(c.first)) << c.first;
  SDL_Scancode codes[2];
  ASSERT_EQ(2, plat::linux_port::ScancodesFor(plat::kVkMenu, codes));
  EXPECT_EQ(SDL_SCANCODE_LALT, codes[0]);
  EXPECT_EQ(SDL_SCANCODE_RALT, codes[1]);
  ASSERT_EQ(1, plat::linux_port::ScancodesFor(plat::kVkF2, codes));
  EXPECT_EQ(SDL_SCANCODE_F2, codes[0]);
}

}  // namespace
