#include "saver/settings_files.h"

#include <cstring>

#include "framework/module_path.h"
#include "platform/common/sjis.h"

namespace prumya {

namespace {

constexpr std::size_t kLongestName = sizeof "prumya.ini" - 1;  // of the three

// folder + name into out; an empty path when the folder is unknown (null) or
// the whole does not fit, so nothing is read or written in a wrong place.
void Place(char (&out)[kPathSize], const char* folder, const char* name) {
  out[0] = '\0';
  if (folder == nullptr) return;
  const std::size_t f = std::strlen(folder), n = std::strlen(name);
  if (f + n >= kPathSize) return;
  std::memcpy(out, folder, f);
  std::memcpy(out + f, name, n + 1);
}

// Length of P in a module folder P/bin/ (either separator), else 0. Double-
// byte characters are stepped over whole: a trail byte 0x5C is no separator.
std::size_t InstallPrefixLength(const char* folder) {
  std::size_t last = 0, previous = 0;
  bool seenOne = false, seenTwo = false;
  for (std::size_t i = 0; folder[i] != '\0'; i += plat::sjis::CharLength(folder + i)) {
    if (folder[i] != '/' && folder[i] != '\\') continue;
    seenTwo = seenOne, previous = last;
    seenOne = true, last = i;
  }
  if (!seenTwo || folder[last + 1] != '\0' || last - previous != 4) return 0;
  return std::memcmp(folder + previous + 1, "bin", 3) == 0 ? previous + 1 : 0;
}

// P/share/prumya/ of an installed program's module folder P/bin/, if its
// system presets are there.
bool InstalledDataFolder(plat::ISystemInfo& system, const char* moduleFolder,
                         char (&out)[kPathSize]) {
  const std::size_t prefix = InstallPrefixLength(moduleFolder);
  if (prefix == 0) return false;
  const char separator = moduleFolder[prefix - 1];
  const char tail[] = {'s', 'h', 'a', 'r', 'e', separator, 'p', 'r', 'u', 'm', 'y', 'a', separator, '\0'};
  if (prefix + sizeof tail - 1 + kLongestName >= kPathSize) return false;
  std::memcpy(out, moduleFolder, prefix);
  std::memcpy(out + prefix, tail, sizeof tail);
  char actsys[kPathSize];
  Place(actsys, out, "actsys.ini");
  return system.FileExists(actsys);
}

}  // namespace

void SettingsFiles::Locate(IniPaths& paths) {
  userFolder_[0] = '\0';
  char module[kPathSize], data[kPathSize];
  const bool known = qrx::ModuleDirectory(*system_, module, sizeof module);
  const bool installed = known && InstalledDataFolder(*system_, module, data);
  const bool protectedFolder = !installed && (!known || !system_->CanCreateFilesIn(module));
  if ((installed || protectedFolder) &&
      (!system_->UserSettingsFolder(userFolder_, kPathSize) ||
       std::strlen(userFolder_) + kLongestName >= kPathSize)) {
    userFolder_[0] = '\0';
  }
  const char* beside = known ? module : nullptr;
  const char* written = userFolder_[0] != '\0' ? userFolder_ : beside;
  Place(paths.settings, written, "prumya.ini");
  Place(paths.systemPresets, installed ? data : beside, "actsys.ini");
  Place(paths.userPresets, written, "action.ini");
}

bool SettingsFiles::FolderReady(const char* file) {
  const std::size_t folder = std::strlen(userFolder_);
  return folder == 0 || file == nullptr || std::strncmp(file, userFolder_, folder) != 0 ||
         system_->MakeFolder(userFolder_);
}

bool SettingsFiles::WriteString(const char* section, const char* key, const char* value,
                                const char* file) {
  return FolderReady(file) && store_->WriteString(section, key, value, file);
}

void SettingsFiles::BeginEdit(const char* file) {
  sessionWithoutFolder_ = !FolderReady(file);
  store_->BeginEdit(file);
}

bool SettingsFiles::CommitEdit() {
  const bool committed = store_->CommitEdit();
  return committed && !sessionWithoutFolder_;
}

}  // namespace prumya
