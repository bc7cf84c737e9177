// The private-profile operations straight from kernel32. An edit session
// runs WritePrivateProfileStringA on a copy beside the file and moves the
// copy over the file at the end, so each write keeps kernel32's meaning and
// the file changes once.
#pragma once
#include <string>

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
  void BeginEdit(const char* file) override;
  bool CommitEdit() override;

 private:
  struct Edit {
    bool active = false;
    std::string file;
    std::string copy;  // the copy the session's writes go to
    bool failed = false;
  };

  // The path a call on file goes to: the session's copy or the file itself.
  const char* Target(const char* file) const;

  Edit edit_;
  unsigned sessions_ = 0;  // a fresh copy name each time, never one kernel32 has cached
};

}  // namespace plat
