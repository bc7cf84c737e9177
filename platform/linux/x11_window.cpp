#include "platform/linux/x11_window.h"

#include <SDL_syswm.h>

namespace plat::linux_port {

namespace {

Display* X11DisplayOf(SDL_Window* window) {
  if (window == nullptr) return nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  return info.info.x11.display;
}

}  // namespace

int X11ConnectionFd(SDL_Window* window) {
  Display* display = X11DisplayOf(window);
  return display != nullptr ? ConnectionNumber(display) : -1;
}

}  // namespace plat::linux_port
