// The private-profile operations over INI files, for platforms without
// kernel32: the same answers as GetPrivateProfileStringA and friends give
// under code page 932, and writes that edit files in place (every other byte
// kept) and replace them atomically. Nothing is cached: every call reads the
// file as it is.
#pragma once
#include <cstddef>
#include <string>

#include "platform/ini/ini_text.h"
#include "platform/profile_store.h"

namespace plat {

class IniStore final : public IProfileStore {
 public:
  // Larger files read as missing and are never rewritten.
  static constexpr std::size_t kDefaultMaxFileBytes = 16u << 20;

  explicit IniStore(std::size_t maxFileBytes = kDefaultMaxFileBytes) : maxFileBytes_(maxFileBytes) {}

  std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                          char* buffer, std::uint32_t size, const char* file) override;
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                      const char* file) override;
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* file) override;
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override;
  void BeginEdit(const char* file) override;
  bool CommitEdit() override;

 private:
  // The file's text with the session's writes so far.
  struct Edit {
    bool active = false;
    std::string file;
    std::string bytes;
    bool failed = false;
    bool changed = false;
  };

  ini::IniText Load(const char* file) const;
  bool WriteInSession(const char* section, const char* key, const char* value);
  bool InSession(const char* file) const { return edit_.active && file && edit_.file == file; }

  std::size_t maxFileBytes_;
  Edit edit_;
};

}  // namespace plat
