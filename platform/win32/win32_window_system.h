// The shell's window system straight from user32: the real class, window,
// message loop and cursor calls. One window procedure trampoline forwards
// every message of the class to the procedure the shell registered.
#pragma once
#include "platform/win32/win32_headers.h"

#include "platform/window_system.h"

namespace plat::win32_port {

class Win32WindowSystem : public IWindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  void LowercaseInPlace(char* text) override;
  void DisableInputMethod() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  bool RegisterWindowClass(const char* className, InstanceHandle instance,
                           WindowProcedure procedure) override;
  WindowHandle CreateMainWindow(const char* className, const char* title, int x, int y,
                                int width, int height, InstanceHandle instance) override;
  void ShowAndUpdate(WindowHandle window, int showCommand) override;
  bool PeekMessage(WindowMessage& out) override;
  void TranslateAndDispatch(const WindowMessage& message) override;
  void WaitMessage() override;
  void WaitMessageTimeout(std::uint32_t ms) override;
  bool PostMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  void PostQuitMessage(int exitCode) override;
  void DestroyWindow(WindowHandle window) override;
  std::intptr_t DefWindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
  void HideCursor() override;

 private:
  static LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WindowProcedure procedure_;
  MSG last_{};  // the message PeekMessage took, with its time and point
  bool finePeriod_ = false;  // timeBeginPeriod(1) in force
};

}  // namespace plat::win32_port
