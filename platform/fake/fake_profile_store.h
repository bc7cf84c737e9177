// Profile files as bytes in memory, read and edited by the product's own INI
// rules, so a test's files read exactly as the store on disk would read them.
// Every call is recorded, so tests can tell what was looked at and changed.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ini/ini_text.h"
#include "platform/ini/profile_rules.h"
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

  std::uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buffer,
                          std::uint32_t size, const char* file) override {
    return plat::ini::ReadString(Logged("get", file, section, key), section, key, defaultText, buffer, size);
  }
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue, const char* file) override {
    return plat::ini::ReadInt(Logged("int", file, section, key), section, key, defaultValue);
  }
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override {
    return plat::ini::ReadSectionNames(Logged("names", file, nullptr, nullptr), buffer, size);
  }
  bool WriteString(const char* section, const char* key, const char* value, const char* file) override {
    const plat::ini::IniText text = Logged("write", file, section, key);
    std::string edited;
    using plat::ini::WriteOutcome;
    const WriteOutcome outcome = failWrites || !file || !*file ? WriteOutcome::kRefused
                                                               : plat::ini::ApplyWrite(text, section, key, value, edited);
    if (outcome == WriteOutcome::kChanged) files[file] = edited;
    if (outcome == WriteOutcome::kRefused && session_ && session_->file == OrEmpty(file)) session_->failed = true;
    return outcome != WriteOutcome::kRefused;
  }
  // A failed session puts its file back as it was at the start.
  void BeginEdit(const char* file) override {
    const auto found = files.find(OrEmpty(file));
    session_ = Session{OrEmpty(file), found == files.end() ? std::nullopt : std::optional(found->second)};
  }
  bool CommitEdit() override {
    const bool ok = session_ && !session_->failed;
    if (session_ && !ok && session_->before) files[session_->file] = *session_->before;
    if (session_ && !ok && !session_->before) files.erase(session_->file);
    session_.reset();
    return ok;
  }

  // Set-up and inspection, not recorded. Set aborts on a write the rules
  // refuse: that is a mistake in the caller.
  void Set(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
    std::string edited;
    const auto outcome = plat::ini::ApplyWrite(Text(file), section.c_str(), key.c_str(), value.c_str(), edited);
    if (outcome == plat::ini::WriteOutcome::kRefused) std::abort();
    if (outcome == plat::ini::WriteOutcome::kChanged) files[file] = edited;
  }
  void AddSection(const std::string& file, const std::string& section) {
    if (!Text(file).HasSection(section)) files[file] += "[" + section + "]\r\n";
  }
  std::optional<std::string> Find(const std::string& file, const std::string& section, const std::string& key) const {
    const plat::ini::IniText text = Text(file);
    const auto value = text.FindValue(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
  }
  std::vector<std::string> Keys(const std::string& file, const std::string& section) const {  // "k=v"
    const plat::ini::IniText text = Text(file);
    std::vector<std::string> keys;
    for (std::string_view key : text.KeyNames(section))
      keys.push_back(std::string(key) + "=" + std::string(*text.FindValue(section, key)));
    return keys;
  }
  std::vector<Access> Writes() const {
    std::vector<Access> writes;
    for (const Access& a : log)
      if (a.op == "write") writes.push_back(a);
    return writes;
  }

 private:
  struct Session {
    std::string file;
    std::optional<std::string> before;
    bool failed = false;
  };
  static const char* OrEmpty(const char* s) { return s ? s : ""; }
  plat::ini::IniText Text(const std::string& file) const {
    const auto found = files.find(file);
    return plat::ini::IniText(found == files.end() ? std::string() : found->second);
  }
  plat::ini::IniText Logged(const char* op, const char* file, const char* section, const char* key) {
    log.push_back({op, OrEmpty(file), OrEmpty(section), OrEmpty(key)});
    return Text(OrEmpty(file));
  }

  std::optional<Session> session_;
};

}  // namespace fake
