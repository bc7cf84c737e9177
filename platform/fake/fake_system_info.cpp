#include "platform/fake/fake_system_info.h"

#include <cstring>

namespace fake {

// As GetModuleFileNameA since Vista: a path that does not fit is cut to
// size - 1 bytes plus NUL and the result is size.
std::uint32_t FakeSystemInfo::ModuleFileName(char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  const std::size_t n = modulePath.size();
  if (n > size - 1) {
    std::memcpy(buffer, modulePath.data(), size - 1);
    buffer[size - 1] = '\0';
    return size;
  }
  std::memcpy(buffer, modulePath.data(), n + 1);
  return static_cast<std::uint32_t>(n);
}

bool FakeSystemInfo::UserSettingsFolder(char* buffer, std::uint32_t size) {
  if (userFolder.empty() || userFolder.size() >= size) return false;
  std::memcpy(buffer, userFolder.c_str(), userFolder.size() + 1);
  return true;
}

}  // namespace fake
