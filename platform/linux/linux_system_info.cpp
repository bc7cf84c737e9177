#include "platform/linux/linux_system_info.h"

#include <SDL.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace plat::linux_port {

// As GetModuleFileNameA: a path that does not fit is cut to size - 1 bytes
// plus NUL and the result is size.
std::uint32_t LinuxSystemInfo::ModuleFileName(char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);  // not NUL-terminated
  if (n <= 0 || n >= static_cast<ssize_t>(sizeof path)) {
    buffer[0] = '\0';
    return 0;
  }
  const std::uint32_t length = static_cast<std::uint32_t>(n);
  const std::uint32_t kept = length < size ? length : size - 1;
  std::memcpy(buffer, path, kept);
  buffer[kept] = '\0';
  return length < size ? length : size;
}

int LinuxSystemInfo::ScreenWidth() {
  SDL_DisplayMode mode{};
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 0;
}

int LinuxSystemInfo::ScreenHeight() {
  SDL_DisplayMode mode{};
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 0;
}

}  // namespace plat::linux_port
