#include "platform/fake/fake_window_system.h"

#include "platform/common/sjis.h"

namespace fake {

void FakeWindowSystem::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  queue.push_back({mainWindow_, message, wParam, lParam});
}

std::intptr_t FakeWindowSystem::Send(std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  return procedure_ ? procedure_(mainWindow_, message, wParam, lParam) : 0;
}

void FakeWindowSystem::LowercaseInPlace(char* text) {
  Record("LowercaseInPlace");
  plat::sjis::LowerInPlace(text);
}

void FakeWindowSystem::DisableInputMethod() { Record("DisableInputMethod"); }
int FakeWindowSystem::ScreenWidth() { return screenWidth; }
int FakeWindowSystem::ScreenHeight() { return screenHeight; }

bool FakeWindowSystem::RegisterWindowClass(const char* name, plat::InstanceHandle,
                                           plat::WindowProcedure procedure) {
  Record(std::string("RegisterWindowClass ") + name);
  className = name;
  procedure_ = std::move(procedure);
  return true;
}

plat::WindowHandle FakeWindowSystem::CreateMainWindow(const char* name, const char* text, int x,
                                                      int y, int width, int height,
                                                      plat::InstanceHandle) {
  Record(std::string("CreateMainWindow ") + name);
  if (failCreate || className != name) return 0;
  title = text != nullptr ? text : "";
  createX = x, createY = y, createWidth = width, createHeight = height;
  mainWindow_ = nextHandle_++;
  live_.insert(mainWindow_);
  return mainWindow_;
}

void FakeWindowSystem::ShowAndUpdate(plat::WindowHandle, int command) {
  Record("ShowAndUpdate");
  showCommand = command;
}

// Like PeekMessageA: posted messages first, WM_QUIT once the queue is empty.
bool FakeWindowSystem::PeekMessage(plat::WindowMessage& out) {
  if (++peekCount > peekLimit && !runaway) {
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
void FakeWindowSystem::TranslateAndDispatch(const plat::WindowMessage& message) {
  if (procedure_ && IsLive(message.window)) {
    procedure_(message.window, message.message, message.wParam, message.lParam);
  }
}

void FakeWindowSystem::WaitMessage() {
  Record("WaitMessage");
  if (onWait) onWait();
  if (queue.empty() && !quitPosted) {
    ++stallCount;
    quitPosted = true;
  }
}

void FakeWindowSystem::WaitMessageTimeout(std::uint32_t ms) {
  Record("WaitMessageTimeout");
  timedWaits.push_back(ms);
  if (onWait) onWait();
  if (queue.empty() && !quitPosted && clock != nullptr) clock->Advance(ms);
}

bool FakeWindowSystem::PostMessage(plat::WindowHandle window, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam) {
  Record("PostMessage " + std::to_string(message));
  if (!IsLive(window)) return false;
  queue.push_back({window, message, wParam, lParam});
  return true;
}

void FakeWindowSystem::PostQuitMessage(int exitCode) {
  Record("PostQuitMessage");
  quitPosted = true;
  quitCode = exitCode;
}

void FakeWindowSystem::DestroyWindow(plat::WindowHandle window) {
  Record("DestroyWindow");
  if (!IsLive(window)) return;
  destroyed.push_back(window);
  if (procedure_) procedure_(window, plat::kWmDestroy, 0, 0);
  live_.erase(window);
}

std::intptr_t FakeWindowSystem::DefWindowProc(plat::WindowHandle window, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t lParam) {
  defaultProcessed.push_back({window, message, wParam, lParam});
  return 0;
}

void FakeWindowSystem::HideCursor() {
  Record("HideCursor");
  ++hideCursorCount;
}

}  // namespace fake
