// The private-profile operations straight from kernel32.
#pragma once
#include "platform/profile_store.h"

namespace plat {

class Win32ProfileStore final : public IProfileStore {
 public:
  std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                          char* buffer, std::uint32_t size, const char* file) override;
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                      const char* file) override;
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* file) override;
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override;
};

}  // namespace plat
