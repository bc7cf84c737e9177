#include "platform/win32/win32_window_system.h"

#include <mmsystem.h>

namespace plat::win32_port {

namespace {

// The window class is process-wide, so its procedure finds the one window
// system through a process-wide pointer.
Win32WindowSystem* g_windowSystem = nullptr;

HWND AsWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle AsHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace

Win32WindowSystem::Win32WindowSystem() { g_windowSystem = this; }

Win32WindowSystem::~Win32WindowSystem() {
  if (finePeriod_) timeEndPeriod(1);
  if (g_windowSystem == this) g_windowSystem = nullptr;
}

LRESULT CALLBACK Win32WindowSystem::Trampoline(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (g_windowSystem != nullptr && g_windowSystem->procedure_) {
    return g_windowSystem->procedure_(AsHandle(window), message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Win32WindowSystem::LowercaseInPlace(char* text) {
  if (text != nullptr) CharLowerA(text);
}

// WINNLSEnableIME is exported by user32 but declared by no mingw header;
// looked up at run time so a system without it still starts.
void Win32WindowSystem::DisableInputMethod() {
  using EnableIme = BOOL(WINAPI*)(HWND, BOOL);
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (user32 == nullptr) return;
  FARPROC found = GetProcAddress(user32, "WINNLSEnableIME");
  if (found == nullptr) return;
  EnableIme enable;
  static_assert(sizeof enable == sizeof found, "function pointer sizes");
  __builtin_memcpy(&enable, &found, sizeof enable);
  enable(nullptr, FALSE);
}

int Win32WindowSystem::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32WindowSystem::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

bool Win32WindowSystem::RegisterWindowClass(const char* className, InstanceHandle instance,
                                            WindowProcedure procedure) {
  procedure_ = std::move(procedure);
  HINSTANCE module = reinterpret_cast<HINSTANCE>(instance);
  WNDCLASSA wc{};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = &Trampoline;
  wc.hInstance = module;
  wc.hIcon = LoadIconA(module, "APPICON");
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = className;
  return RegisterClassA(&wc) != 0;
}

WindowHandle Win32WindowSystem::CreateMainWindow(const char* className, const char* title, int x,
                                                 int y, int width, int height,
                                                 InstanceHandle instance) {
  HWND window = CreateWindowExA(0, className, title, WS_POPUP | WS_SYSMENU, x, y, width, height,
                                nullptr, nullptr, reinterpret_cast<HINSTANCE>(instance), nullptr);
  return AsHandle(window);
}

// While the window is up the system timer runs at 1 ms, so the loop's timed
// waits between frames end on time rather than on the default 15.6 ms tick.
void Win32WindowSystem::ShowAndUpdate(WindowHandle window, int showCommand) {
  if (!finePeriod_) finePeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  ShowWindow(AsWindow(window), showCommand);
  UpdateWindow(AsWindow(window));
}

bool Win32WindowSystem::PeekMessage(WindowMessage& out) {
  if (!PeekMessageA(&last_, nullptr, 0, 0, PM_REMOVE)) return false;
  out = WindowMessage{AsHandle(last_.hwnd), last_.message, last_.wParam, last_.lParam};
  return true;
}

// Dispatches the MSG PeekMessage took (time and point included) when the
// caller passes that message back, as the shell's loop does.
void Win32WindowSystem::TranslateAndDispatch(const WindowMessage& message) {
  MSG msg = last_;
  if (AsHandle(msg.hwnd) != message.window || msg.message != message.message ||
      msg.wParam != message.wParam || msg.lParam != message.lParam) {
    msg = MSG{AsWindow(message.window), message.message, message.wParam, message.lParam, 0, {}};
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Win32WindowSystem::WaitMessage() { ::WaitMessage(); }

// MWMO_INPUTAVAILABLE: input that arrived after the last look at the queue
// ends the wait too. INFINITE is one past the longest finite wait.
void Win32WindowSystem::WaitMessageTimeout(std::uint32_t ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, ms == INFINITE ? INFINITE - 1 : ms, QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
}

bool Win32WindowSystem::PostMessage(WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam) {
  return PostMessageA(AsWindow(window), message, wParam, lParam) != FALSE;
}

void Win32WindowSystem::PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

void Win32WindowSystem::DestroyWindow(WindowHandle window) {
  ::DestroyWindow(AsWindow(window));
  if (finePeriod_) timeEndPeriod(1);
  finePeriod_ = false;
}

std::intptr_t Win32WindowSystem::DefWindowProc(WindowHandle window, std::uint32_t message,
                                               std::uintptr_t wParam, std::intptr_t lParam) {
  return DefWindowProcA(AsWindow(window), message, wParam, lParam);
}

void Win32WindowSystem::HideCursor() { SetCursor(nullptr); }

}  // namespace plat::win32_port
