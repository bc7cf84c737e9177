// The Linux window system on SDL's dummy video driver: no display needed.
#include <gtest/gtest.h>

#include <SDL.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/linux/linux_signals.h"
#include "platform/linux/sdl_key_map.h"
#include "platform/linux/sdl_window_system.h"

namespace {

using plat::WindowMessage;
using plat::linux_port::SdlWindowSystem;

class SdlWindowSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS)) << SDL_GetError();
    windows = new SdlWindowSystem;
    windows->RegisterWindowClass("QRXAPPWNDCLS", 1, [this](plat::WindowHandle w, std::uint32_t m,
                                                           std::uintptr_t wp, std::intptr_t lp) {
      procedureSaw.push_back({w, m, wp, lp});
      return std::intptr_t{0};
    });
    window = windows->CreateMainWindow("QRXAPPWNDCLS", "title", 0, 0, windows->ScreenWidth(),
                                       windows->ScreenHeight(), 1);
    ASSERT_NE(0u, window);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    delete windows;
    SDL_Quit();
  }
  void PushKey(SDL_Keycode key, bool down, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.type = e.type;
    e.key.windowID = static_cast<Uint32>(window);
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }
  void PushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = static_cast<Uint32>(window);
    e.window.event = event;
    SDL_PushEvent(&e);
  }
  std::vector<WindowMessage> Drain() {
    std::vector<WindowMessage> out;
    WindowMessage m;
    while (windows->PeekMessage(m)) {
      out.push_back(m);
      if (m.message == plat::kWmQuit) break;
    }
    return out;
  }

  SdlWindowSystem* windows = nullptr;
  plat::WindowHandle window = 0;
  std::vector<WindowMessage> procedureSaw;
};

// Keys become virtual-key messages (Alt ones system keys); posted messages
// come before input, WM_QUIT last; a click maps to WM_LBUTTONDOWN with its
// place, SDL's quit to WM_CLOSE; showing activates, a focus change does not
// deactivate.
TEST_F(SdlWindowSystemTest, EventsBecomeTheShellsMessagesInOrder) {
  windows->ShowAndUpdate(window, 1);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  for (SDL_Keycode key : {SDLK_a, SDLK_ESCAPE, SDLK_F10}) PushKey(key, true);
  PushKey(SDLK_LALT, true, KMOD_LALT);
  PushKey(SDLK_x, true, KMOD_LALT);
  PushKey(SDLK_a, false);
  SDL_Event e{};
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
  for (const WindowMessage& m : Drain()) {
    got.push_back({m.message, m.message == plat::kWmSetCursor ? 0 : m.wParam});
    if (m.message == plat::kWmKeyUp) EXPECT_EQ(0xC0000001, m.lParam) << "previous state and transition bits";
    if (m.message == plat::kWmLButtonDown) EXPECT_EQ((200 << 16) | 100, m.lParam);
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
}

TEST_F(SdlWindowSystemTest, DestroySendsDestroyAndDropsLaterMessages) {
  windows->PostMessage(window, plat::kWmClose, 0, 0);
  windows->DestroyWindow(window);
  ASSERT_EQ(1u, procedureSaw.size());
  EXPECT_EQ(plat::kWmDestroy, procedureSaw[0].message);
  EXPECT_EQ(nullptr, windows->SdlWindowFor(window));
  WindowMessage m;
  ASSERT_TRUE(windows->PeekMessage(m));
  windows->TranslateAndDispatch(m);
  EXPECT_EQ(1u, procedureSaw.size()) << "the window is gone";
}

TEST_F(SdlWindowSystemTest, InputTypedIntoAModalBoxIsDropped) {
  PushKey(SDLK_RETURN, true);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  windows->ReclaimAfterModal();
  PushKey(SDLK_c, true);
  const std::vector<WindowMessage> got = Drain();
  for (const WindowMessage& m : got) EXPECT_NE(std::uintptr_t{plat::kVkReturn}, m.wParam);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(std::uintptr_t{'C'}, got.back().wParam);
}

// In a child process, as a signal's mark stays for the process: SIGTERM
// arrives (from a kernel timer) while the loop waits without end; the wait
// returns and the window gets one WM_CLOSE, the ordinary close.
TEST_F(SdlWindowSystemTest, TerminationSignalEndsAWaitWithOneClose) {
  EXPECT_EXIT(
      {
        alarm(10);  // a wait that never ends fails instead of hanging
        plat::linux_port::InstallTerminationSignals();
        sigevent event{};
        event.sigev_notify = SIGEV_SIGNAL;
        event.sigev_signo = SIGTERM;
        timer_t timer;
        itimerspec in20ms{};
        in20ms.it_value.tv_nsec = 20 * 1000 * 1000;
        if (timer_create(CLOCK_MONOTONIC, &event, &timer) != 0) std::_Exit(2);
        timer_settime(timer, 0, &in20ms, nullptr);
        windows->WaitMessage();
        const std::vector<WindowMessage> got = Drain();
        const bool one = got.size() == 1 && got[0].message == plat::kWmClose &&
                         got[0].window == window;
        std::_Exit(one ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
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
