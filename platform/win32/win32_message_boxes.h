// MessageBoxA, nothing more.
#pragma once
#include "platform/window_system.h"

namespace plat::win32_port {

class Win32MessageBoxes : public IMessageBoxes {
 public:
  int Show(WindowHandle owner, const char* text, const char* caption,
           std::uint32_t style) override;
};

}  // namespace plat::win32_port
