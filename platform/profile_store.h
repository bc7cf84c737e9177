// The four private-profile (INI file) operations. Windows calls kernel32;
// Linux uses our own store that behaves the same over the same files.
// Every text is a NUL-terminated code page 932 byte string; a null pointer
// has the meaning the Win32 functions give it.
#pragma once
#include <cstdint>

namespace plat {

class IProfileStore {
 public:
  virtual ~IProfileStore() = default;
  // GetPrivateProfileStringA: returns the number of bytes copied (without NUL).
  virtual std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                                  char* buffer, std::uint32_t size, const char* file) = 0;
  // GetPrivateProfileIntA (the UINT result reinterpreted as signed).
  virtual std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                              const char* file) = 0;
  // WritePrivateProfileStringA: null value deletes the key, null key and value
  // delete the section.
  virtual bool WriteString(const char* section, const char* key, const char* value,
                           const char* file) = 0;
  // GetPrivateProfileSectionNamesA.
  virtual std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) = 0;
};

}  // namespace plat
