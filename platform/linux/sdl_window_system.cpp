#include "platform/linux/sdl_window_system.h"

#include <poll.h>

#include <algorithm>
#include <climits>
#include <string>

#include "platform/common/sjis.h"
#include "platform/linux/linux_signals.h"
#include "platform/linux/utf8_boundary.h"

namespace plat::linux_port {

namespace {

SDL_DisplayMode DesktopMode() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) mode.w = mode.h = 0;
  return mode;
}

}  // namespace

SdlWindowSystem::~SdlWindowSystem() { CloseWindow(); }

void SdlWindowSystem::CloseWindow() {
  x11_.reset();  // the grabs go before the windows
  for (SDL_Window* cover : covers_) SDL_DestroyWindow(cover);
  covers_.clear();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  window_ = nullptr;
  handle_ = 0;
  holdInput_ = false;
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

// Borderless at the given size rather than SDL's fullscreen-desktop mode,
// which stays a 1x1 window when no window manager is running; the window
// manager's full-screen state is asked for by X11SaverWindow. SDL's first
// display is the primary monitor.
WindowHandle SdlWindowSystem::CreateMainWindow(const char*, const char* title, int x, int y,
                                               int width, int height, InstanceHandle) {
  if (!classRegistered_ || window_ != nullptr || width <= 0 || height <= 0) return 0;
  if (SDL_GetDisplayBounds(0, &primary_) != 0) primary_ = SDL_Rect{0, 0, width, height};
  const std::string utf8 = Cp932ToUtf8(title);
  window_ = SDL_CreateWindow(utf8.c_str(), primary_.x + x, primary_.y + y, width, height,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) return 0;
  x11_ = std::make_unique<X11SaverWindow>(window_);
  handle_ = SDL_GetWindowID(window_);
  return handle_;
}

// The saver is the active application while its window is up, focused or
// not: it holds the keyboard and pointer, as screen lockers do, so exits
// work whether or not a window manager gives it the focus.
void SdlWindowSystem::ShowAndUpdate(WindowHandle window, int showCommand) {
  if (!IsLive(window) || showCommand == 0) return;
  int left = 0, top = 0, width = 0, height = 0;
  SDL_GetWindowPosition(window_, &left, &top);
  SDL_GetWindowSize(window_, &width, &height);
  CoverOtherMonitors(SDL_Rect{left, top, width, height});
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
  HideCursor();
  holdInput_ = true;
  x11_->Grab();
  Queue(kWmActivateApp, 1, 0);
}

// A black window over each monitor that does not overlap the primary. SDL's
// own, so that input over it reaches the saver like input over the window.
void SdlWindowSystem::CoverOtherMonitors(const SDL_Rect& primary) {
  const int monitors = SDL_GetNumVideoDisplays();
  for (int i = 0; i < monitors; ++i) {
    SDL_Rect b;
    if (SDL_GetDisplayBounds(i, &b) != 0 || SDL_HasIntersection(&b, &primary)) continue;
    SDL_Window* cover = SDL_CreateWindow("", b.x, b.y, b.w, b.h,
                                         SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (cover == nullptr) continue;
    x11_->PrepareCover(cover);
    SDL_ShowWindow(cover);
    covers_.push_back(cover);
  }
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

void SdlWindowSystem::WaitMessageTimeout(std::uint32_t ms) {
  WaitForInput(static_cast<int>(std::min<std::uint32_t>(ms, INT_MAX)));
}

// SDL has read everything Xlib had queued once it has pumped, so a quiet X
// connection means no input is waiting anywhere.
void SdlWindowSystem::WaitForInput(int timeoutMs) {
  if (holdInput_ && !x11_->Grabbed()) x11_->Grab();  // another client held a grab
  CloseOnTermination();
  if (!HasMessage()) PumpEvents();
  if (HasMessage()) return;
  pollfd fds[2];
  nfds_t n = 0;
  if (const int x = x11_ ? x11_->ConnectionFd() : -1; x >= 0) fds[n++] = pollfd{x, POLLIN, 0};
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
  CloseWindow();
  input_.clear();
}

std::intptr_t SdlWindowSystem::DefWindowProc(WindowHandle, std::uint32_t, std::uintptr_t,
                                             std::intptr_t) {
  return 0;
}

void SdlWindowSystem::HideCursor() { SDL_ShowCursor(SDL_DISABLE); }

void SdlWindowSystem::CursorPosition(std::int32_t& x, std::int32_t& y) const {
  if (int rootX = 0, rootY = 0; x11_ && x11_->Pointer(rootX, rootY)) {
    x = rootX - primary_.x;
    y = rootY - primary_.y;
    return;
  }
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

void SdlWindowSystem::ReleaseInput() {
  holdInput_ = false;
  if (x11_) x11_->Ungrab();
}

void SdlWindowSystem::ReclaimAfterModal() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  DropInput();
  if (window_ != nullptr) {
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
    holdInput_ = true;
    x11_->Grab();
  }
  HideCursor();
}

}  // namespace plat::linux_port
