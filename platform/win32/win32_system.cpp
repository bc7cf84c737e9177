#include "platform/win32/win32_system.h"

#include <ctime>

#include "platform/win32/win32_headers.h"

namespace plat::win32_port {

std::uint32_t Win32SystemInfo::ModuleFileName(char* buffer, std::uint32_t size) {
  return GetModuleFileNameA(nullptr, buffer, size);
}

int Win32SystemInfo::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32SystemInfo::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

std::uint32_t Win32Clock::TickCount() { return GetTickCount(); }

LocalTime Win32Clock::Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::int64_t Win32Clock::UnixSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::int16_t Win32Input::KeyState(int virtualKey) { return GetKeyState(virtualKey); }

// A failed GetCursorPos leaves the point as it was: here, the origin.
void Win32Input::CursorPos(std::int32_t& x, std::int32_t& y) {
  POINT p{0, 0};
  GetCursorPos(&p);
  x = p.x;
  y = p.y;
}

}  // namespace plat::win32_port
