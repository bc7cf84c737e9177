#include "platform/win32/win32_profile_store.h"

#include <windows.h>

namespace plat {

std::uint32_t Win32ProfileStore::GetString(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* file) {
  return GetPrivateProfileStringA(section, key, defaultText, buffer, size, file);
}

std::int32_t Win32ProfileStore::GetInt(const char* section, const char* key,
                                       std::int32_t defaultValue, const char* file) {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, file));
}

bool Win32ProfileStore::WriteString(const char* section, const char* key, const char* value,
                                    const char* file) {
  return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

std::uint32_t Win32ProfileStore::GetSectionNames(char* buffer, std::uint32_t size,
                                                 const char* file) {
  return GetPrivateProfileSectionNamesA(buffer, size, file);
}

}  // namespace plat
