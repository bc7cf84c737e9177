// A window system in memory: records every call, keeps a message queue that
// tests post into, and calls the registered window procedure on dispatch and
// for DestroyWindow's WM_DESTROY, so the shell's real loop can be driven.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/call_log.h"
#include "platform/fake/fake_clock.h"
#include "platform/window_system.h"

namespace fake {

class FakeWindowSystem : public plat::IWindowSystem, public Recorder {
 public:
  // Set-up.
  int screenWidth = 1024;
  int screenHeight = 768;
  bool failCreate = false;
  // Runs when the shell blocks in WaitMessage; may post messages. Without it
  // (or if it posts nothing) the fake posts WM_QUIT and counts a stall, so a
  // test can never hang.
  std::function<void()> onWait;
  // Safety net: after this many PeekMessage calls WM_QUIT is injected.
  int peekLimit = 100000;
  // When set, a timed wait that no message cuts short (onWait posting one)
  // advances this clock by the whole time.
  FakeClock* clock = nullptr;

  // What happened.
  std::string className, title;
  int createX = -1, createY = -1, createWidth = 0, createHeight = 0;
  int showCommand = -1;
  std::vector<plat::WindowMessage> defaultProcessed;
  std::vector<plat::WindowHandle> destroyed;
  int hideCursorCount = 0, stallCount = 0, peekCount = 0;
  std::vector<std::uint32_t> timedWaits;  // each WaitMessageTimeout's time
  bool runaway = false;
  std::deque<plat::WindowMessage> queue;
  bool quitPosted = false;
  int quitCode = 0;

  // Test helpers.
  void Post(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  plat::WindowHandle MainWindow() const { return mainWindow_; }
  bool IsLive(plat::WindowHandle window) const { return live_.count(window) != 0; }

  void LowercaseInPlace(char* text) override;
  void DisableInputMethod() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  bool RegisterWindowClass(const char* className, plat::InstanceHandle instance,
                           plat::WindowProcedure procedure) override;
  plat::WindowHandle CreateMainWindow(const char* className, const char* title, int x, int y,
                                      int width, int height,
                                      plat::InstanceHandle instance) override;
  void ShowAndUpdate(plat::WindowHandle window, int showCommand) override;
  bool PeekMessage(plat::WindowMessage& out) override;
  void TranslateAndDispatch(const plat::WindowMessage& message) override;
  void WaitMessage() override;
  void WaitMessageTimeout(std::uint32_t ms) override;
  bool PostMessage(plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  void PostQuitMessage(int exitCode) override;
  void DestroyWindow(plat::WindowHandle window) override;
  std::intptr_t DefWindowProc(plat::WindowHandle window, std::uint32_t message,
                              std::uintptr_t wParam, std::intptr_t lParam) override;
  void HideCursor() override;

 private:
  plat::WindowProcedure procedure_;
  plat::WindowHandle mainWindow_ = 0;
  plat::WindowHandle nextHandle_ = 0x1000;
  std::set<plat::WindowHandle> live_;
};

}  // namespace fake
