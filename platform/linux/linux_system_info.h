// Module path from /proc/self/exe; screen size from the desktop display mode.
#pragma once
#include "platform/system.h"

namespace plat::linux_port {

class LinuxSystemInfo : public ISystemInfo {
 public:
  std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
};

}  // namespace plat::linux_port
