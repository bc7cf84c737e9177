#include "platform/win32/win32_profile_store.h"

#include <windows.h>

namespace plat {

const char* Win32ProfileStore::Target(const char* file) const {
  const bool inSession = edit_.active && file != nullptr && lstrcmpiA(file, edit_.file.c_str()) == 0;
  return inSession ? edit_.copy.c_str() : file;
}

std::uint32_t Win32ProfileStore::GetString(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* file) {
  return GetPrivateProfileStringA(section, key, defaultText, buffer, size, Target(file));
}

std::int32_t Win32ProfileStore::GetInt(const char* section, const char* key,
                                       std::int32_t defaultValue, const char* file) {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, Target(file)));
}

bool Win32ProfileStore::WriteString(const char* section, const char* key, const char* value,
                                    const char* file) {
  const char* target = Target(file);
  if (target != file && edit_.failed) return false;
  const bool written = WritePrivateProfileStringA(section, key, value, target) != FALSE;
  if (!written && target != file) edit_.failed = true;
  return written;
}

std::uint32_t Win32ProfileStore::GetSectionNames(char* buffer, std::uint32_t size,
                                                 const char* file) {
  return GetPrivateProfileSectionNamesA(buffer, size, Target(file));
}

// The copy starts as the file (or as nothing when there is none). A file
// that is read-only, or that cannot be copied, fails the session at once.
void Win32ProfileStore::BeginEdit(const char* file) {
  edit_ = Edit();
  edit_.active = true;
  edit_.file = file != nullptr ? file : "";
  edit_.copy = edit_.file + "." + std::to_string(GetCurrentProcessId()) + "." +
               std::to_string(++sessions_) + ".tmp";
  const DWORD attributes = GetFileAttributesA(edit_.file.c_str());
  if (edit_.file.empty() ||
      (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)) {
    edit_.failed = true;
    return;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && !CopyFileA(edit_.file.c_str(), edit_.copy.c_str(), FALSE))
    edit_.failed = true;
}

// kernel32 is told to flush the copy, which is then moved over the file in
// one step; a copy never made means no write changed anything.
bool Win32ProfileStore::CommitEdit() {
  const Edit edit = edit_;
  edit_ = Edit();
  if (!edit.active) return false;
  const bool made = GetFileAttributesA(edit.copy.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (made) WritePrivateProfileStringA(nullptr, nullptr, nullptr, edit.copy.c_str());
  const bool ok = !edit.failed && (!made || MoveFileExA(edit.copy.c_str(), edit.file.c_str(),
                                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  if (!ok && made) DeleteFileA(edit.copy.c_str());
  return ok;
}

}  // namespace plat
