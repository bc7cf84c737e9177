#include "platform/linux/sdl_window_system.h"

#include <poll.h>

#include <string>

#include "platform/common/sjis.h"
#include "platform/linux/linux_signals.h"
#include "platform/linux/utf8_boundary.h"
#include "platform/linux/x11_window.h"

namespace plat::linux_port {

namespace {

SDL_DisplayMode DesktopMode() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) mode.w = mode.h = 0;
  return mode;
}

}  // namespace

SdlWindowSystem::~SdlWindowSystem() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
}

SDL_Window* SdlWindowSystem::SdlWindowFor(WindowHandle window) const {
  return IsLive(window) ? window_ : nullptr;
}

void SdlWindowSystem::LowercaseInPlace(char* text) { sjis::LowerInPlace(text); }

// SDL starts text input (and with it the input method) on desktop systems.
void SdlWindowSystem::DisableInputMethod() { SDL_StopTextInput(); }

int SdlWindowSystem::ScreenWidth() { return DesktopMode().w; }
int SdlWindowSystem::ScreenHeight() { return DesktopMode().h; }

bool SdlWindowSystem::RegisterWindowClass(const char*, InstanceHandle, WindowProcedure procedure) {
  procedure_ = std::move(procedure);
  classRegistered_ = true;
  return true;
}

// Borderless at the desktop's size rather than SDL's fullscreen-desktop
// mode, which stays a 1x1 window when no window manager is running.
WindowHandle SdlWindowSystem::CreateMainWindow(const char*, const char* title, int x, int y,
                                               int width, int height, InstanceHandle) {
  if (!classRegistered_ || window_ != nullptr || width <= 0 || height <= 0) return 0;
  const std::string utf8 = Cp932ToUtf8(title);
  window_ = SDL_CreateWindow(utf8.c_str(), x, y, width, height,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) return 0;
  handle_ = SDL_GetWindowID(window_);
  return handle_;
}

// Without a window manager nobody gives the new window the focus, and SDL
// ignores the pointer-root focus it gets: take it explicitly so the
// activation (WM_ACTIVATEAPP) arrives.
void SdlWindowSystem::ShowAndUpdate(WindowHandle window, int showCommand) {
  if (!IsLive(window) || showCommand == 0) return;
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
  HideCursor();
}

// A termination signal closes the window the ordinary way, once.
void SdlWindowSystem::CloseOnTermination() {
  if (closeOnSignalSent_ || handle_ == 0 || !TerminationRequested()) return;
  closeOnSignalSent_ = true;
  posted_.push_back(WindowMessage{handle_, kWmClose, 0, 0});
}

bool SdlWindowSystem::PeekMessage(WindowMessage& out) {
  CloseOnTermination();
  if (posted_.empty() && input_.empty()) PumpEvents();
  std::deque<WindowMessage>& from = !posted_.empty() ? posted_ : input_;
  if (!from.empty()) {
    out = from.front();
    from.pop_front();
    return true;
  }
  if (!quit_) return false;
  quit_ = false;
  out = WindowMessage{0, kWmQuit, static_cast<std::uintptr_t>(quitCode_), 0};
  return true;
}

// Translation makes no characters here: nothing in the shell reads WM_CHAR.
void SdlWindowSystem::TranslateAndDispatch(const WindowMessage& message) {
  if (procedure_ && IsLive(message.window)) {
    procedure_(message.window, message.message, message.wParam, message.lParam);
  }
}

void SdlWindowSystem::WaitMessage() { WaitForInput(-1); }

// SDL has read everything Xlib had queued once it has pumped, so a quiet X
// connection means no input is waiting anywhere.
void SdlWindowSystem::WaitForInput(int timeoutMs) {
  CloseOnTermination();
  if (!HasMessage()) PumpEvents();
  if (HasMessage()) return;
  pollfd fds[2];
  nfds_t n = 0;
  if (const int x = X11ConnectionFd(window_); x >= 0) fds[n++] = pollfd{x, POLLIN, 0};
  if (const int wake = TerminationWakeFd(); wake >= 0) fds[n++] = pollfd{wake, POLLIN, 0};
  poll(fds, n, timeoutMs);
  DrainTerminationWakeups();
}

bool SdlWindowSystem::PostMessage(WindowHandle window, std::uint32_t message,
                                  std::uintptr_t wParam, std::intptr_t lParam) {
  if (!IsLive(window)) return false;
  posted_.push_back(WindowMessage{window, message, wParam, lParam});
  return true;
}

void SdlWindowSystem::PostQuitMessage(int exitCode) {
  quit_ = true;
  quitCode_ = exitCode;
}

// WM_DESTROY is sent while the window still exists, as DestroyWindow does.
void SdlWindowSystem::DestroyWindow(WindowHandle window) {
  if (!IsLive(window)) return;
  if (procedure_) procedure_(window, kWmDestroy, 0, 0);
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  handle_ = 0;
  input_.clear();
}

std::intptr_t SdlWindowSystem::DefWindowProc(WindowHandle, std::uint32_t, std::uintptr_t,
                                             std::intptr_t) {
  return 0;
}

void SdlWindowSystem::HideCursor() { SDL_ShowCursor(SDL_DISABLE); }

void SdlWindowSystem::CursorPosition(std::int32_t& x, std::int32_t& y) const {
  x = cursorX_;
  y = cursorY_;
  int wx = 0, wy = 0;
  SDL_Window* focus = SDL_GetMouseFocus();
  if (focus == nullptr) return;
  SDL_GetMouseState(&wx, &wy);
  int left = 0, top = 0;
  SDL_GetWindowPosition(focus, &left, &top);
  x = left + wx;
  y = top + wy;
}

void SdlWindowSystem::ReclaimAfterModal() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  DropInput();
  if (window_ != nullptr) {
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
  }
  HideCursor();
}

}  // namespace plat::linux_port
