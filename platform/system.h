// Small OS queries: module path, screen metrics, the facts that place the
// settings files, clocks, key and cursor state.
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

  // Paths below are NUL-terminated code page 932 byte strings; folders end
  // with their separator.
  // The per-user folder this program keeps its settings in on this system
  // (Windows: %APPDATA%\ぷるみゅら\; Linux: $XDG_CONFIG_HOME/prumya/), written
  // into buffer. False when the system names none or it does not fit.
  virtual bool UserSettingsFolder(char* buffer, std::uint32_t size) = 0;
  // Whether a new file can be made in folder, found out by making and
  // removing one (rights, read-only media and the like all count).
  virtual bool CanCreateFilesIn(const char* folder) = 0;
  virtual bool FileExists(const char* path) = 0;  // a file, not a folder
  // Makes folder and its missing parents; true when it exists afterwards.
  virtual bool MakeFolder(const char* folder) = 0;
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
