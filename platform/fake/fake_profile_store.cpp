#include "platform/fake/fake_profile_store.h"

#include <cstdlib>

#include "platform/ini/profile_rules.h"

namespace fake {

namespace {

const char* OrEmpty(const char* s) { return s ? s : ""; }

}  // namespace

plat::ini::IniText FakeProfileStore::Text(const std::string& file) const {
  const auto found = files.find(file);
  return plat::ini::IniText(found == files.end() ? std::string() : found->second);
}

std::uint32_t FakeProfileStore::GetString(const char* section, const char* key,
                                          const char* defaultText, char* buffer,
                                          std::uint32_t size, const char* file) {
  log.push_back({"get", OrEmpty(file), OrEmpty(section), OrEmpty(key)});
  return plat::ini::ReadString(Text(OrEmpty(file)), section, key, defaultText, buffer, size);
}

std::int32_t FakeProfileStore::GetInt(const char* section, const char* key,
                                      std::int32_t defaultValue, const char* file) {
  log.push_back({"int", OrEmpty(file), OrEmpty(section), OrEmpty(key)});
  return plat::ini::ReadInt(Text(OrEmpty(file)), section, key, defaultValue);
}

std::uint32_t FakeProfileStore::GetSectionNames(char* buffer, std::uint32_t size,
                                                const char* file) {
  log.push_back({"names", OrEmpty(file), "", ""});
  return plat::ini::ReadSectionNames(Text(OrEmpty(file)), buffer, size);
}

bool FakeProfileStore::WriteString(const char* section, const char* key, const char* value,
                                   const char* file) {
  log.push_back({"write", OrEmpty(file), OrEmpty(section), OrEmpty(key)});
  std::string edited;
  const auto outcome = failWrites || !file || !*file
                           ? plat::ini::WriteOutcome::kRefused
                           : plat::ini::ApplyWrite(Text(file), section, key, value, edited);
  if (outcome == plat::ini::WriteOutcome::kChanged) files[file] = edited;
  if (outcome == plat::ini::WriteOutcome::kRefused && sessionFile_ == OrEmpty(file))
    sessionFailed_ = true;
  return outcome != plat::ini::WriteOutcome::kRefused;
}

void FakeProfileStore::BeginEdit(const char* file) {
  sessionFile_ = OrEmpty(file);
  const auto found = files.find(*sessionFile_);
  sessionBefore_.reset();
  if (found != files.end()) sessionBefore_ = found->second;
  sessionFailed_ = false;
}

bool FakeProfileStore::CommitEdit() {
  const bool ok = sessionFile_ && !sessionFailed_;
  if (sessionFile_ && !ok) {
    if (sessionBefore_) files[*sessionFile_] = *sessionBefore_;
    else files.erase(*sessionFile_);
  }
  sessionFile_.reset();
  return ok;
}

void FakeProfileStore::Set(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) {
  std::string edited;
  switch (plat::ini::ApplyWrite(Text(file), section.c_str(), key.c_str(), value.c_str(), edited)) {
    case plat::ini::WriteOutcome::kRefused: std::abort();
    case plat::ini::WriteOutcome::kUnchanged: break;
    case plat::ini::WriteOutcome::kChanged: files[file] = edited;
  }
}

void FakeProfileStore::AddSection(const std::string& file, const std::string& section) {
  if (!Text(file).HasSection(section)) files[file] += "[" + section + "]\r\n";
}

std::optional<std::string> FakeProfileStore::Find(const std::string& file,
                                                  const std::string& section,
                                                  const std::string& key) const {
  const plat::ini::IniText text = Text(file);
  const auto value = text.FindValue(section, key);
  return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

std::vector<std::string> FakeProfileStore::Keys(const std::string& file,
                                                const std::string& section) const {
  const plat::ini::IniText text = Text(file);
  std::vector<std::string> keys;
  for (std::string_view key : text.KeyNames(section))
    keys.push_back(std::string(key) + "=" + std::string(*text.FindValue(section, key)));
  return keys;
}

std::vector<FakeProfileStore::Access> FakeProfileStore::Writes() const {
  std::vector<Access> writes;
  for (const Access& a : log)
    if (a.op == "write") writes.push_back(a);
  return writes;
}

}  // namespace fake
