#include "platform/linux/linux_display.h"

namespace plat::linux_port {

LinuxDisplay::LinuxDisplay(SdlWindowSystem& windows)
    : presenter_([&windows] { return windows.MainSdlWindow(); },
                 [&windows] { return windows.MainShmPresenter(); }) {
  device_.SetPresentTarget(&presenter_);
}

void LinuxDisplay::Init() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return;
  device_.SetDesktop(mode.w, mode.h, SDL_BITSPERPIXEL(mode.format) == 16 ? 16 : 32);
  device_.SetRefreshRate(mode.refresh_rate);
}

}  // namespace plat::linux_port
