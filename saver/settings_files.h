// Where the three INI files live, decided once at start from facts the port
// gathers, and the per-user folder made when a write first needs it.
#pragma once
#include <cstdint>

#include "platform/profile_store.h"
#include "platform/system.h"
#include "saver/config.h"

namespace prumya {

// The profile store the saver reads and writes through. Reads pass straight
// on; a write into the per-user folder makes that folder first, so it appears
// with the first saved setting (not at start, not on reads), and a folder
// that cannot be made fails the write.
class SettingsFiles final : public plat::IProfileStore {
 public:
  SettingsFiles(plat::IProfileStore& store, plat::ISystemInfo& system)
      : store_(&store), system_(&system) {}

  // Fills paths, in this order of rules:
  // - an installed program (its module in P/bin/ with P/share/prumya/actsys.ini)
  //   reads the system presets there and keeps prumya.ini and action.ini in
  //   the user's folder;
  // - a module whose folder takes new files keeps all three beside itself
  //   (portable use; files already kept there go on working);
  // - otherwise (System32, Program Files, read-only media) the system presets
  //   stay beside the module and the two written files go to the user's folder.
  // With no user's folder known, all three stay beside the module.
  void Locate(IniPaths& paths);

  std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                          char* buffer, std::uint32_t size, const char* file) override {
    return store_->GetString(section, key, defaultText, buffer, size, file);
  }
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                      const char* file) override {
    return store_->GetInt(section, key, defaultValue, file);
  }
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* file) override;
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override {
    return store_->GetSectionNames(buffer, size, file);
  }
  // A session on a file there makes the folder too; without it, it fails.
  void BeginEdit(const char* file) override;
  bool CommitEdit() override;

 private:
  // False when file lies in the per-user folder and that cannot be made.
  bool FolderReady(const char* file);

  plat::IProfileStore* store_;
  plat::ISystemInfo* system_;
  char userFolder_[kPathSize] = {};
  bool sessionWithoutFolder_ = false;
};

}  // namespace prumya
