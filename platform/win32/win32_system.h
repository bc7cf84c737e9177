// Small OS queries from kernel32, user32 and shell32: module path, screen
// metrics, the settings folder and file-system facts, tick count, local time,
// key state and cursor position.
#pragma once
#include "platform/system.h"

namespace plat::win32_port {

class Win32SystemInfo : public ISystemInfo {
 public:
  std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  bool UserSettingsFolder(char* buffer, std::uint32_t size) override;
  bool CanCreateFilesIn(const char* folder) override;
  bool FileExists(const char* path) override;
  bool MakeFolder(const char* folder) override;
};

class Win32Clock : public IClock {
 public:
  std::uint32_t TickCount() override;
  LocalTime Now() override;
  std::int64_t UnixSeconds() override;
};

class Win32Input : public IInputState {
 public:
  std::int16_t KeyState(int virtualKey) override;
  void CursorPos(std::int32_t& x, std::int32_t& y) override;
};

}  // namespace plat::win32_port
