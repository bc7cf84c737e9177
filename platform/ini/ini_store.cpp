#include "platform/ini/ini_store.h"

#include <string>
#include <utility>

#include "platform/ini/atomic_file.h"
#include "platform/ini/profile_rules.h"

namespace plat {

// A file that is missing or cannot be read reads as empty.
ini::IniText IniStore::Load(const char* file) const {
  if (InSession(file)) return ini::IniText(edit_.bytes);
  std::string bytes;
  if (!file || !*file || ini::ReadWholeFile(file, maxFileBytes_, bytes) != ini::ReadStatus::kOk) {
    return ini::IniText();
  }
  return ini::IniText(std::move(bytes));
}

std::uint32_t IniStore::GetString(const char* section, const char* key, const char* defaultText,
                                  char* buffer, std::uint32_t size, const char* file) {
  return ini::ReadString(Load(file), section, key, defaultText, buffer, size);
}

std::int32_t IniStore::GetInt(const char* section, const char* key, std::int32_t defaultValue,
                              const char* file) {
  return ini::ReadInt(Load(file), section, key, defaultValue);
}

std::uint32_t IniStore::GetSectionNames(char* buffer, std::uint32_t size, const char* file) {
  return ini::ReadSectionNames(Load(file), buffer, size);
}

// A file that exists but cannot be read is left alone rather than replaced
// by what little we could make of it.
bool IniStore::WriteString(const char* section, const char* key, const char* value,
                           const char* file) {
  if (!file || !*file) return false;
  if (InSession(file)) return WriteInSession(section, key, value);
  std::string bytes;
  ini::ReadStatus status = ini::ReadWholeFile(file, maxFileBytes_, bytes);
  if (status == ini::ReadStatus::kFailed) return false;
  ini::IniText text(std::move(bytes));
  std::string edited;
  switch (ini::ApplyWrite(text, section, key, value, edited)) {
    case ini::WriteOutcome::kRefused: return false;
    case ini::WriteOutcome::kUnchanged: return true;
    case ini::WriteOutcome::kChanged: break;
  }
  return ini::ReplaceFileAtomically(file, edited);
}

// A refused write fails the whole session.
bool IniStore::WriteInSession(const char* section, const char* key, const char* value) {
  std::string edited;
  switch (ini::ApplyWrite(ini::IniText(edit_.bytes), section, key, value, edited)) {
    case ini::WriteOutcome::kRefused: edit_.failed = true; return false;
    case ini::WriteOutcome::kUnchanged: return !edit_.failed;
    case ini::WriteOutcome::kChanged: break;
  }
  edit_.bytes = std::move(edited);
  edit_.changed = true;
  return !edit_.failed;
}

void IniStore::BeginEdit(const char* file) {
  edit_ = Edit();
  edit_.active = true;
  edit_.file = file ? file : "";
  edit_.failed = edit_.file.empty() ||
                 ini::ReadWholeFile(file, maxFileBytes_, edit_.bytes) == ini::ReadStatus::kFailed;
}

// One replacement for all the session's writes; a session that changed
// nothing leaves the file untouched.
bool IniStore::CommitEdit() {
  const Edit edit = std::move(edit_);
  edit_ = Edit();
  if (!edit.active || edit.failed) return false;
  return !edit.changed || ini::ReplaceFileAtomically(edit.file.c_str(), edit.bytes);
}

}  // namespace plat
