// The process skeleton: entry routine, the one full-screen popup window, the
// message loop and the window procedure. The application plugs in through
// hooks; the close sequence tears the display and sound down before the
// window goes away.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "framework/random.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace qrx {

using InitHandler = std::function<bool(plat::InstanceHandle instance,
                                       plat::InstanceHandle previousInstance, char* commandLine,
                                       int showCommand)>;
using MessageHandler = std::function<bool(plat::WindowHandle window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam)>;

// The fixed calls the shell makes into the application.
struct ShellCalls {
  std::function<void()> buildTrigTable;  // once, after the window is shown
  std::function<void()> startSaver;      // right after buildTrigTable
  // Whenever idle and active; answers how long (ms) until the next frame is
  // due, for which the loop then waits unless a message comes first.
  std::function<std::uint32_t()> frameTick;
  std::function<void()> closeSequence;   // Screen Release, then CloseSound
};

class AppShell {
 public:
  AppShell(plat::IWindowSystem& windows, plat::IClock& clock, Random& random);
  ~AppShell();

  // The entry routine (WinMain's body). commandLine is lowercased in place.
  // Returns 0 in every case: a refused start, a failed window or a normal end.
  int Run(plat::InstanceHandle instance, plat::InstanceHandle previousInstance,
          char* commandLine, int showCommand);

  bool SetTitle(const char* text);
  const char* Title() const { return title_.get(); }
  bool SetInitHandler(InitHandler handler);
  void SetMessageHandler(MessageHandler handler);
  void SetCalls(ShellCalls calls) { calls_ = std::move(calls); }

  plat::InstanceHandle GetInstance() const { return instance_; }
  plat::WindowHandle GetMainWindow() const { return mainWindow_; }
  plat::WindowHandle SwapMainWindow(plat::WindowHandle window);
  bool RequestClose();

  // The shell's window procedure (public so that ports and tests can drive it).
  std::intptr_t WindowProc(plat::WindowHandle window, std::uint32_t message,
                           std::uintptr_t wParam, std::intptr_t lParam);
  bool IsActive() const { return active_; }

 private:
  std::intptr_t Offer(plat::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam);
  bool OpenMainWindow(plat::InstanceHandle instance, int showCommand);
  void RunLoop();
  void CloseSequence(plat::WindowHandle window);

  plat::IWindowSystem* windows_;
  plat::IClock* clock_;
  Random* random_;
  plat::InstanceHandle instance_ = 0;
  plat::WindowHandle mainWindow_ = 0;
  std::unique_ptr<char[]> title_;
  InitHandler initHandler_;
  MessageHandler messageHandler_;
  ShellCalls calls_;
  bool active_ = false;
  bool closeGuard_ = false;
};

}  // namespace qrx
