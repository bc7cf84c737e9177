#include "platform/win32/win32_platform.h"

namespace plat::win32_port {

Win32Platform::Win32Platform() {
  platform_.windows = &windows_;
  platform_.boxes = &boxes_;
  platform_.system = &system_;
  platform_.clock = &clock_;
  platform_.input = &input_;
  platform_.sound = &sound_;
  platform_.profile = &profile_;
  platform_.dialogs = &dialogs_;
  platform_.display = &display_;
  platform_.bitmaps = &bitmaps_;
}

}  // namespace plat::win32_port
