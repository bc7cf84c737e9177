// Profile files as bytes in memory, read and edited by the product's own INI
// rules, so a test's files read exactly as the store on disk would read them.
// Every call is recorded, so tests can tell what was looked at and changed.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ini/ini_text.h"
#include "platform/profile_store.h"

namespace fake {

class FakeProfileStore : public plat::IProfileStore {
 public:
  struct Access {  // one call: "get", "int", "write" or "names"
    std::string op, file, section, key;
  };

  std::map<std::string, std::string> files;  // name -> bytes
  std::vector<Access> log;
  bool failWrites = false;  // injected fault: every write is refused

  std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                          char* buffer, std::uint32_t size, const char* file) override;
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                      const char* file) override;
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* file) override;
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override;
  // A failed session puts its file back as it was at the start.
  void BeginEdit(const char* file) override;
  bool CommitEdit() override;

  // Set-up and inspection, not recorded. Set aborts on a write the rules
  // refuse: that is a mistake in the test.
  void Set(const std::string& file, const std::string& section, const std::string& key,
           const std::string& value);
  void AddSection(const std::string& file, const std::string& section);
  std::optional<std::string> Find(const std::string& file, const std::string& section,
                                  const std::string& key) const;
  std::vector<std::string> Keys(const std::string& file, const std::string& section) const;  // "k=v"
  std::vector<Access> Writes() const;

 private:
  plat::ini::IniText Text(const std::string& file) const;

  std::optional<std::string> sessionFile_, sessionBefore_;
  bool sessionFailed_ = false;
};

}  // namespace fake
