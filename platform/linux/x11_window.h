// What the saver's window needs of X11 beyond SDL, taken from SDL's own
// connection: its descriptor for waiting.
#pragma once
#include <SDL.h>

namespace plat::linux_port {

// The X connection behind an SDL window; -1 when it is not on X11.
int X11ConnectionFd(SDL_Window* window);

}  // namespace plat::linux_port
