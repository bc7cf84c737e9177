// Files beside the running module.
#include "framework/module_path.h"

#include <cstring>

#include "platform/common/sjis.h"

namespace qrx {

namespace {

// GetModuleFileNameA's buffer; a path that fills it may have been cut.
constexpr std::uint32_t kModulePathSize = 512;

// Bytes up to and including the last path separator. Double-byte characters
// are stepped over whole, so a trail byte 0x5C is not taken for '\\'. '/'
// counts too: the Linux port's module path uses it.
std::size_t DirectoryLength(const char* path) {
  std::size_t length = 0;
  for (std::size_t i = 0; path[i] != '\0';) {
    if (path[i] == '\\' || path[i] == '/') length = i + 1;
    i += plat::sjis::CharLength(path + i);
  }
  return length;
}

bool Refuse(char* out, std::size_t size) {
  if (size > 0) out[0] = '\0';
  return false;
}

}  // namespace

bool ModuleDirectory(plat::ISystemInfo& system, char* out, std::size_t size) {
  char module[kModulePathSize] = {};
  const std::uint32_t written = system.ModuleFileName(module, kModulePathSize);
  if (written >= kModulePathSize - 1) return Refuse(out, size);
  module[kModulePathSize - 1] = '\0';
  const std::size_t directory = DirectoryLength(module);
  if (directory >= size) return Refuse(out, size);
  std::memcpy(out, module, directory);
  out[directory] = '\0';
  return true;
}

bool ResolveBesideModule(plat::ISystemInfo& system, char* out, std::size_t size, const char* name) {
  const std::size_t nameLength = std::strlen(name);
  if (std::strchr(name, ':') != nullptr) {  // carries its own drive or device
    if (nameLength >= size) return Refuse(out, size);
    std::memcpy(out, name, nameLength + 1);
    return true;
  }
  char directory[kModulePathSize];
  if (!ModuleDirectory(system, directory, sizeof directory)) return Refuse(out, size);
  const std::size_t length = std::strlen(directory);
  if (length + nameLength >= size) return Refuse(out, size);
  std::memcpy(out, directory, length);
  std::memcpy(out + length, name, nameLength + 1);
  return true;
}

}  // namespace qrx
