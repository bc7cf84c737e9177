#include "platform/linux/linux_platform.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/linux/gtk_session.h"
#include "platform/linux/linux_signals.h"

namespace plat::linux_port {

LinuxPlatform::LinuxPlatform(DialogTemplateLookup templates)
    : dialogs_(templates, &boxes_),
      platform_(MakePlatform(windows_, boxes_, system_, clock_, input_, profile_,
                             display_.Device(), display_.Bitmaps(), sound_, &dialogs_)) {
  // Boxes the settings dialog shows stay over it; closing it hands the
  // input back to the saver's window.
  boxes_.SetOwnerResolver([this](WindowHandle owner) { return dialogs_.WindowFor(owner); });
  // A dialog or box gets the keyboard and pointer while it is up; once the
  // outermost has closed, the input typed meanwhile is dropped and the
  // saver's window takes the input back.
  SetModalHooks([this] { windows_.ReleaseInput(); }, [this] { windows_.ReclaimAfterModal(); });
  dialogs_.SetNativeParent([this](WindowHandle parent) -> unsigned long {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_Window* window = windows_.SdlWindowFor(parent);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) return 0;
    return info.subsystem == SDL_SYSWM_X11 ? info.info.x11.window : 0;
  });
}

LinuxPlatform::SdlSession::~SdlSession() {
  if (started) SDL_Quit();
}

// A screen saver must not hold the desktop's own screen saver off (SDL does
// by default), or a screen-saver daemon could fight with it.
bool LinuxPlatform::Init(std::string& error) {
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Termination signals are ours: SDL's handlers would only queue a quit
  // event that no modal loop reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The window surface through XShm, not a hidden OpenGL texture: no GL
  // driver loaded (tens of MiB), no window re-created after the start.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  InstallTerminationSignals();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error = SDL_GetError();
    return false;
  }
  sdl_.started = true;
  // Without a display SDL falls back to a driver that shows nothing; only
  // accept one when it was asked for by name.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* wanted = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const bool invisible = driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 ||
                                               SDL_strcmp(driver, "dummy") == 0);
  if (invisible && (wanted == nullptr || SDL_strcasecmp(wanted, driver) != 0)) {
    error = "no display available";
    return false;
  }
  display_.Init();
  return true;
}

}  // namespace plat::linux_port
