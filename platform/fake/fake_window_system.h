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

#include "platform/common/sjis.h"
#include "platform/fake/call_log.h"
#include "platform/fake/fake_clock.h"
#include "platform/window_system.h"

namespace fake {

class FakeWindowSystem : public plat::IWindowSystem, public Recorder {
 public:
  // Set-up.
  bool failCreate = false;
  // Runs when the shell blocks in WaitMessage; may post messages. Without it
  // (or if it posts nothing) the fake posts WM_QUIT and counts a stall, so a
  // test can never hang.
  std::function<void()> onWait;
  // When set, a timed wait that no message cuts short (onWait posting one)
  // advances this clock by the whole time.
  FakeClock* clock = nullptr;

  // What happened.
  std::string title;  // the main window's; its place, size and show command are in the calls
  std::vector<plat::WindowMessage> defaultProcessed;
  std::vector<plat::WindowHandle> destroyed;
  int hideCursorCount = 0, stallCount = 0, peekCount = 0;
  std::vector<std::uint32_t> timedWaits;  // each WaitMessageTimeout's time
  bool runaway = false;                   // WM_QUIT injected after 100000 peeks
  std::deque<plat::WindowMessage> queue;
  bool quitPosted = false;
  int quitCode = 0;

  // Test helpers.
  void Post(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    queue.push_back({mainWindow_, message, wParam, lParam});
  }
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return procedure_ ? procedure_(mainWindow_, message, wParam, lParam) : 0;
  }
  plat::WindowHandle MainWindow() const { return mainWindow_; }
  bool IsLive(plat::WindowHandle window) const { return live_.count(window) != 0; }

  void LowercaseInPlace(char* text) override {
    Record("LowercaseInPlace");
    plat::sjis::LowerInPlace(text);
  }
  void DisableInputMethod() override { Record("DisableInputMethod"); }
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  bool RegisterWindowClass(const char* name, plat::InstanceHandle, plat::WindowProcedure procedure) override {
    Record(std::string("RegisterWindowClass ") + name);
    className_ = name;
    procedure_ = std::move(procedure);
    return true;
  }
  plat::WindowHandle CreateMainWindow(const char* name, const char* text, int x, int y, int width, int height,
                                      plat::InstanceHandle) override {
    Record(std::string("CreateMainWindow ") + name + " " + std::to_string(x) + "," + std::to_string(y) + " " +
           std::to_string(width) + "x" + std::to_string(height));
    if (failCreate || className_ != name) return 0;
    title = text != nullptr ? text : "";
    mainWindow_ = nextHandle_++;
    live_.insert(mainWindow_);
    return mainWindow_;
  }
  void ShowAndUpdate(plat::WindowHandle, int command) override { Record("ShowAndUpdate " + std::to_string(command)); }
  // Like PeekMessageA: posted messages first, WM_QUIT once the queue is empty.
  bool PeekMessage(plat::WindowMessage& out) override {
    if (++peekCount > 100000 && !runaway) {
      runaway = true;
      quitPosted = true;
    }
    if (!queue.empty()) {
      out = queue.front();
      queue.pop_front();
      return true;
    }
    if (!quitPosted) return false;
    quitPosted = false;
    out = {0, plat::kWmQuit, static_cast<std::uintptr_t>(quitCode), 0};
    return true;
  }
  // Messages for a destroyed window are dropped, as DispatchMessageA does.
  void TranslateAndDispatch(const plat::WindowMessage& m) override {
    if (procedure_ && IsLive(m.window)) procedure_(m.window, m.message, m.wParam, m.lParam);
  }
  void WaitMessage() override {
    Record("WaitMessage");
    if (onWait) onWait();
    if (queue.empty() && !quitPosted) {
      ++stallCount;
      quitPosted = true;
    }
  }
  void WaitMessageTimeout(std::uint32_t ms) override {
    Record("WaitMessageTimeout");
    timedWaits.push_back(ms);
    if (onWait) onWait();
    if (queue.empty() && !quitPosted && clock != nullptr) clock->Advance(ms);
  }
  bool PostMessage(plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override {
    Record("PostMessage " + std::to_string(message));
    if (!IsLive(window)) return false;
    queue.push_back({window, message, wParam, lParam});
    return true;
  }
  void PostQuitMessage(int exitCode) override {
    Record("PostQuitMessage");
    quitPosted = true;
    quitCode = exitCode;
  }
  void DestroyWindow(plat::WindowHandle window) override {
    Record("DestroyWindow");
    if (!IsLive(window)) return;
    destroyed.push_back(window);
    if (procedure_) procedure_(window, plat::kWmDestroy, 0, 0);
    live_.erase(window);
  }
  std::intptr_t DefWindowProc(plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override {
    defaultProcessed.push_back({window, message, wParam, lParam});
    return 0;
  }
  void HideCursor() override {
    Record("HideCursor");
    ++hideCursorCount;
  }

 private:
  plat::WindowProcedure procedure_;
  std::string className_;
  plat::WindowHandle mainWindow_ = 0;
  plat::WindowHandle nextHandle_ = 0x1000;
  std::set<plat::WindowHandle> live_;
};

}  // namespace fake
