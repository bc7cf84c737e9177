#include "platform/linux/linux_platform.h"

#include <SDL.h>

namespace plat::linux_port {

LinuxPlatform::LinuxPlatform() {
  platform_.windows = &windows_;
  platform_.boxes = &boxes_;
  platform_.system = &system_;
  platform_.clock = &clock_;
  platform_.input = &input_;
  platform_.sound = &sound_;
  platform_.profile = &profile_;
  boxes_.SetAfterBox([this] { windows_.ReclaimAfterModal(); });
}

LinuxPlatform::SdlSession::~SdlSession() {
  if (started) SDL_Quit();
}

// A screen saver must not hold the desktop's own screen saver off (SDL does
// by default), or a screen-saver daemon could fight with it.
bool LinuxPlatform::Init(std::string& error) {
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error = SDL_GetError();
    return false;
  }
  sdl_.started = true;
  return true;
}

}  // namespace plat::linux_port
