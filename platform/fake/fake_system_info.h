// Module path and screen size for tests.
#pragma once
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace fake {

class FakeSystemInfo : public plat::ISystemInfo {
 public:
  std::string modulePath = "C:\\Savers\\prumya.scr";
  int width = 800;
  int height = 600;

  std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;
  int ScreenWidth() override { return width; }
  int ScreenHeight() override { return height; }
};

}  // namespace fake
