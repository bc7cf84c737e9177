// Module path from /proc/self/exe; screen size from the desktop display mode;
// the settings folder by the XDG rule and the file-system facts (POSIX).
#pragma once
#include <string>

#include "platform/system.h"

namespace plat::linux_port {

class LinuxSystemInfo : public ISystemInfo {
 public:
  std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  bool UserSettingsFolder(char* buffer, std::uint32_t size) override;
  bool CanCreateFilesIn(const char* folder) override;
  bool FileExists(const char* path) override;
  bool MakeFolder(const char* folder) override;
};

// $XDG_CONFIG_HOME/prumya/, or $HOME/.config/prumya/ when that is unset or
// not absolute; "" when neither names an absolute folder.
std::string XdgSettingsFolder(const char* configHome, const char* home);

}  // namespace plat::linux_port
