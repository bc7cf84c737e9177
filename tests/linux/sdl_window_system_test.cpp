// The Linux window system on SDL's dummy video driver: no display needed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/linux/sdl_key_map.h"
#include "platform/linux/sdl_window_system.h"

namespace {

using plat::WindowMessage;
using plat::linux_port::SdlWindowSystem;

// Keys become virtual-key messages (Alt ones and F10 system keys); posted
// messages come before input, WM_QUIT last; a click maps to WM_LBUTTONDOWN
// with its place, SDL's quit to WM_CLOSE; showing activates, a focus change
// does not deactivate.
TEST(SdlWindowSystem, EventsBecomeTheShellsMessagesInOrder) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS)) << SDL_GetError();
  auto windows = std::make_unique<SdlWindowSystem>();
  windows->RegisterWindowClass("QRXAPPWNDCLS", 1, [](plat::WindowHandle, std::uint32_t, std::uintptr_t,
                                                     std::intptr_t) { return std::intptr_t{0}; });
  const plat::WindowHandle window = windows->CreateMainWindow("QRXAPPWNDCLS", "title", 0, 0, 640, 480, 1);
  ASSERT_NE(0u, window);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  // Every event kind starts with its type, time and window.
  const auto Push = [window](Uint32 type, auto fill) {
    SDL_Event e{};
    e.type = type;
    e.window.windowID = static_cast<Uint32>(window);
    fill(e);
    SDL_PushEvent(&e);
  };
  windows->ShowAndUpdate(window, 1);
  Push(SDL_WINDOWEVENT, [](SDL_Event& e) { e.window.event = SDL_WINDOWEVENT_FOCUS_LOST; });
  const std::pair<SDL_Keycode, Uint16> keys[] = {{SDLK_a, KMOD_NONE},      {SDLK_ESCAPE, KMOD_NONE},
                                                 {SDLK_F10, KMOD_NONE},    {SDLK_7, KMOD_NONE},
                                                 {SDLK_F12, KMOD_NONE},    {SDLK_RSHIFT, KMOD_RSHIFT},
                                                 {SDLK_LCTRL, KMOD_LCTRL}, {SDLK_LALT, KMOD_LALT},
                                                 {SDLK_x, KMOD_LALT}};
  for (const auto& [key, mod] : keys) {
    Push(SDL_KEYDOWN, [key = key, mod = mod](SDL_Event& e) {
      e.key.keysym.sym = key;
      e.key.keysym.mod = mod;
    });
  }
  Push(SDL_KEYUP, [](SDL_Event& e) { e.key.keysym.sym = SDLK_a; });
  Push(SDL_MOUSEBUTTONDOWN, [](SDL_Event& e) {
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 100;
    e.button.y = 200;
  });
  Push(SDL_QUIT, [](SDL_Event&) {});
  windows->PostQuitMessage(0);
  EXPECT_TRUE(windows->PostMessage(window, plat::kWmClose, 0, 0));
  EXPECT_FALSE(windows->PostMessage(window + 1, plat::kWmClose, 0, 0)) << "no such window";
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> got;
  for (WindowMessage m; got.empty() || got.back().first != plat::kWmQuit;) {
    ASSERT_TRUE(windows->PeekMessage(m));
    got.push_back({m.message, m.message == plat::kWmSetCursor ? 0 : m.wParam});
    // A key up has its previous-state and transition bits; a click its place.
    const std::intptr_t lParam = m.message == plat::kWmKeyUp ? 0xC0000001
                                 : m.message == plat::kWmLButtonDown ? (200 << 16) | 100 : m.lParam;
    EXPECT_EQ(lParam, m.lParam) << m.message;
  }
  using namespace plat;
  const std::vector<std::pair<std::uint32_t, std::uintptr_t>> expected = {
      {kWmClose, 0},         {kWmActivateApp, 1},         {kWmKeyDown, 'A'},       {kWmKeyDown, kVkEscape},
      {kWmSysKeyDown, kVkF10}, {kWmKeyDown, '7'},         {kWmKeyDown, kVkF1 + 11}, {kWmKeyDown, kVkShift},
      {kWmKeyDown, kVkControl}, {kWmSysKeyDown, kVkMenu}, {kWmSysKeyDown, 'X'},     {kWmKeyUp, 'A'},
      {kWmSetCursor, 0},     {kWmLButtonDown, 1},         {kWmClose, 0},           {kWmQuit, 0}};
  EXPECT_EQ(expected, got);
  std::int32_t x = 0, y = 0;
  windows->CursorPosition(x, y);
  EXPECT_EQ(100, x);
  EXPECT_EQ(200, y);
  windows.reset();
  SDL_Quit();
}

// Alt held ends the saver: its state is either Alt key's.
TEST(LinuxKeyMap, AltStandsForBothAltKeys) {
  SDL_Scancode codes[2];
  ASSERT_EQ(2, plat::linux_port::ScancodesFor(plat::kVkMenu, codes));
  EXPECT_EQ(SDL_SCANCODE_LALT, codes[0]);
  EXPECT_EQ(SDL_SCANCODE_RALT, codes[1]);
}

}  // namespace
