// The shell's window system over SDL2: one borderless window over the
// primary monitor (whose top left is 0,0 in the shell's coordinates, as on
// Windows), black covers over the others, SDL events turned into
// Win32-numbered messages, and the shell's posted messages and WM_QUIT in a
// queue of our own. Window handles are SDL window ids. While the window is
// up it holds the keyboard and pointer, and the application is active.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/linux/x11_window.h"
#include "platform/window_system.h"

namespace plat::linux_port {

class SdlWindowSystem : public IWindowSystem {
 public:
  SdlWindowSystem() = default;
  ~SdlWindowSystem() override;
  SdlWindowSystem(const SdlWindowSystem&) = delete;
  SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

  // For the display port: the SDL window behind a handle (null if none).
  SDL_Window* SdlWindowFor(WindowHandle window) const;
  SDL_Window* MainSdlWindow() const { return window_; }
  // The main window's own X11 presenter, when it has one.
  X11ShmPresenter* MainShmPresenter() const { return x11_ ? x11_->Frames() : nullptr; }
  // The cursor in the shell's coordinates, on whatever monitor it is.
  void CursorPosition(std::int32_t& x, std::int32_t& y) const;
  // Before a GTK modal window shows: the keyboard and pointer go to it.
  void ReleaseInput();
  // After a GTK modal window closed: drops the input typed or clicked while
  // it was up, so none of it reaches the saver, and takes the input back.
  void ReclaimAfterModal();

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
  void PumpEvents();
  bool HasMessage() const { return !posted_.empty() || !input_.empty() || quit_; }
  void CloseOnTermination();
  // Sleeps until an X event, a termination signal or the time (ms; negative
  // waits without end).
  void WaitForInput(int timeoutMs);
  void Translate(const SDL_Event& event);
  void TranslateKey(const SDL_KeyboardEvent& key);
  void TranslateMouse(std::uint32_t message, std::uintptr_t buttons, int x, int y);
  void TranslateWindowEvent(const SDL_WindowEvent& event);
  void Queue(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  bool IsLive(WindowHandle window) const { return window != 0 && window == handle_; }
  void DropInput();
  void CoverOtherMonitors(const SDL_Rect& primary);
  void CloseWindow();

  WindowProcedure procedure_;
  bool classRegistered_ = false;
  SDL_Window* window_ = nullptr;
  std::unique_ptr<X11SaverWindow> x11_;
  std::vector<SDL_Window*> covers_;  // black, over the other monitors
  SDL_Rect primary_{0, 0, 0, 0};  // the primary monitor in root coordinates
  bool holdInput_ = false;        // the grabs are wanted (no modal window up)
  WindowHandle handle_ = 0;
  std::deque<WindowMessage> posted_;  // PostMessage: served first, as Windows does
  std::deque<WindowMessage> input_;   // translated SDL events
  bool quit_ = false;
  bool closeOnSignalSent_ = false;
  int quitCode_ = 0;
  std::int32_t cursorX_ = 0, cursorY_ = 0;
};

}  // namespace plat::linux_port
