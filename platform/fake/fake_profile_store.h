// An in-memory private-profile store: files as ordered sections of ordered
// keys, names matched without regard to ASCII case. Records every read and
// write so tests can tell what was looked at and what was changed.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/profile_store.h"

namespace fake {

class FakeProfileStore : public plat::IProfileStore {
 public:
  struct Key {
    std::string name, value;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
  };
  struct File {
    std::string path;
    std::vector<Section> sections;
  };
  struct Access {  // one call: "get", "int", "write" or "names"
    std::string op, file, section, key;
  };

  std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                          char* buffer, std::uint32_t size, const char* file) override;
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                      const char* file) override;
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* file) override;
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override;
  // Writes go straight through; the commit reports whether one of them failed.
  void BeginEdit(const char*) override { sessionFailed_ = false; }
  bool CommitEdit() override { return !sessionFailed_; }

  // Test set-up and inspection, without recording.
  void Set(const std::string& file, const std::string& section, const std::string& key,
           const std::string& value);
  void AddSection(const std::string& file, const std::string& section);
  const Section* FindSection(const std::string& file, const std::string& section) const;
  const std::string* Find(const std::string& file, const std::string& section,
                          const std::string& key) const;
  const std::vector<File>& Files() const { return files_; }

  std::vector<Access> log;
  std::vector<Access> Writes() const;
  bool failWrites = false;  // injected fault: every write fails and changes nothing

 private:
  File* FindFile(const std::string& path, bool create);
  const File* FindFile(const std::string& path) const;
  Section* FindSection(File& file, const std::string& name, bool create);
  void Record(const char* op, const char* file, const char* section, const char* key);

  std::vector<File> files_;
  bool sessionFailed_ = false;
};

// GetPrivateProfileIntA's reading of a value text (wrapping on overflow).
bool ParseProfileInt(const std::string& text, std::int32_t& out);

}  // namespace fake
