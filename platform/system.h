// Small OS queries: module path, screen metrics, clocks, key and cursor state.
#pragma once
#include <cstdint>

#include "platform/win_types.h"

namespace plat {

class ISystemInfo {
 public:
  virtual ~ISystemInfo() = default;
  // GetModuleFileNameA(NULL, ...): full path of the running module, cut to
  // size - 1 bytes; returns the length written.
  virtual std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) = 0;
  virtual int ScreenWidth() = 0;   // GetSystemMetrics(SM_CXSCREEN)
  virtual int ScreenHeight() = 0;  // GetSystemMetrics(SM_CYSCREEN)
};

struct LocalTime {  // SYSTEMTIME fields that the overlays use
  int year, month, day, hour, minute, second, milliseconds;
};

class IClock {
 public:
  virtual ~IClock() = default;
  virtual std::uint32_t TickCount() = 0;  // GetTickCount, wraps after 2^32 ms
  virtual LocalTime Now() = 0;            // GetLocalTime
  virtual std::int64_t UnixSeconds() = 0; // time(NULL), for seeding
};

class IInputState {
 public:
  virtual ~IInputState() = default;
  virtual std::int16_t KeyState(int virtualKey) = 0;  // GetKeyState: 0x80 bit = down
  virtual void CursorPos(std::int32_t& x, std::int32_t& y) = 0;  // GetCursorPos
};

}  // namespace plat
