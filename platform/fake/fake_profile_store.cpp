#include "platform/fake/fake_profile_store.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/common/sjis.h"

namespace fake {

namespace {

unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

std::string Trimmed(const std::string& s) {
  const char* blanks = " \t\r\n";
  const std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// Trimmed, and one pair of matching surrounding quotes removed.
std::string AsRead(const std::string& raw) {
  std::string s = Trimmed(raw);
  if (s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0])
    s = s.substr(1, s.size() - 2);
  return s;
}

// A string value: cut to size - 1 bytes plus NUL.
std::uint32_t CopyValue(const std::string& text, char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<std::uint32_t>(n);
}

// A NUL-separated list ended by a further NUL: cut to size - 2 bytes plus two
// NULs when it does not fit.
std::uint32_t CopyList(const std::vector<std::string>& names, char* buffer, std::uint32_t size) {
  std::string list;
  for (const std::string& n : names) list.append(n).push_back('\0');
  if (size == 0) return 0;
  if (size == 1) return buffer[0] = '\0', 0;
  if (list.size() + 1 > size) {
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = buffer[size - 1] = '\0';
    return size - 2;
  }
  std::memcpy(buffer, list.data(), list.size());
  buffer[list.size()] = '\0';
  return static_cast<std::uint32_t>(list.size());
}

const char* OrEmpty(const char* s) { return s ? s : ""; }

}  // namespace

bool ParseProfileInt(const std::string& raw, std::int32_t& out) {
  const std::string s = AsRead(raw);
  if (s.empty()) return false;
  std::size_t i = 0;
  const bool negative = s[i] == '-';
  if (s[i] == '-' || s[i] == '+') ++i;
  std::uint32_t v = 0;
  if (s.compare(i, 2, "0x") == 0) {
    for (i += 2; i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i])); ++i)
      v = v * 16 + static_cast<std::uint32_t>(std::isdigit(static_cast<unsigned char>(s[i]))
                                                  ? s[i] - '0'
                                                  : AsciiLower(s[i]) - 'a' + 10);
  } else {
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10 + (s[i] - '0');
  }
  out = static_cast<std::int32_t>(negative ? 0u - v : v);
  return true;
}

void FakeProfileStore::Record(const char* op, const char* file, const char* section,
                              const char* key) {
  log.push_back({op, OrEmpty(file), OrEmpty(section), OrEmpty(key)});
}

std::vector<FakeProfileStore::Access> FakeProfileStore::Writes() const {
  std::vector<Access> writes;
  for (const Access& a : log)
    if (a.op == "write") writes.push_back(a);
  return writes;
}

FakeProfileStore::File* FakeProfileStore::FindFile(const std::string& path, bool create) {
  for (File& f : files_)
    if (f.path == path) return &f;
  if (!create) return nullptr;
  files_.push_back({path, {}});
  return &files_.back();
}

const FakeProfileStore::File* FakeProfileStore::FindFile(const std::string& path) const {
  for (const File& f : files_)
    if (f.path == path) return &f;
  return nullptr;
}

FakeProfileStore::Section* FakeProfileStore::FindSection(File& file, const std::string& name,
                                                         bool create) {
  for (Section& s : file.sections)
    if (plat::sjis::EqualFolded(s.name, name)) return &s;
  if (!create) return nullptr;
  file.sections.push_back({name, {}});
  return &file.sections.back();
}

const FakeProfileStore::Section* FakeProfileStore::FindSection(const std::string& file,
                                                               const std::string& section) const {
  const File* f = FindFile(file);
  if (f == nullptr) return nullptr;
  for (const Section& s : f->sections)
    if (plat::sjis::EqualFolded(s.name, section)) return &s;
  return nullptr;
}

const std::string* FakeProfileStore::Find(const std::string& file, const std::string& section,
                                          const std::string& key) const {
  const Section* s = FindSection(file, section);
  if (s == nullptr) return nullptr;
  for (const Key& k : s->keys)
    if (plat::sjis::EqualFolded(k.name, key)) return &k.value;
  return nullptr;
}

void FakeProfileStore::Set(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) {
  Section* s = FindSection(*FindFile(file, true), section, true);
  for (Key& k : s->keys)
    if (plat::sjis::EqualFolded(k.name, key)) return void(k.value = value);
  s->keys.push_back({key, value});
}

void FakeProfileStore::AddSection(const std::string& file, const std::string& section) {
  FindSection(*FindFile(file, true), section, true);
}

std::uint32_t FakeProfileStore::GetString(const char* section, const char* key,
                                          const char* defaultText, char* buffer,
                                          std::uint32_t size, const char* file) {
  Record("get", file, section, key);
  if (section == nullptr) return GetSectionNames(buffer, size, file);
  if (key == nullptr) {
    std::vector<std::string> names;
    if (const Section* s = FindSection(OrEmpty(file), section))
      for (const Key& k : s->keys) names.push_back(k.name);
    return CopyList(names, buffer, size);
  }
  const std::string* value = Find(OrEmpty(file), section, key);
  return CopyValue(AsRead(value ? *value : OrEmpty(defaultText)), buffer, size);
}

std::int32_t FakeProfileStore::GetInt(const char* section, const char* key,
                                      std::int32_t defaultValue, const char* file) {
  Record("int", file, section, key);
  const std::string* value =
      (section && key) ? Find(OrEmpty(file), section, key) : nullptr;
  std::int32_t v = defaultValue;
  if (value != nullptr && ParseProfileInt(*value, v)) return v;
  return defaultValue;
}

bool FakeProfileStore::WriteString(const char* section, const char* key, const char* value,
                                   const char* file) {
  Record("write", file, section, key);
  if (section == nullptr || failWrites) {
    sessionFailed_ = true;
    return false;
  }
  File* f = FindFile(OrEmpty(file), true);
  if (key == nullptr) {  // the whole section goes
    auto& all = f->sections;
    all.erase(std::remove_if(all.begin(), all.end(),
                             [&](const Section& s) { return plat::sjis::EqualFolded(s.name, section); }),
              all.end());
    return true;
  }
  Section* s = FindSection(*f, section, value != nullptr);
  if (s == nullptr) return true;
  auto k = std::find_if(s->keys.begin(), s->keys.end(),
                        [&](const Key& each) { return plat::sjis::EqualFolded(each.name, key); });
  if (value == nullptr) {
    if (k != s->keys.end()) s->keys.erase(k);
  } else if (k != s->keys.end()) {
    k->value = value;
  } else {
    s->keys.push_back({key, value});
  }
  return true;
}

std::uint32_t FakeProfileStore::GetSectionNames(char* buffer, std::uint32_t size,
                                                const char* file) {
  Record("names", file, nullptr, nullptr);
  std::vector<std::string> names;
  if (const File* f = FindFile(OrEmpty(file)))
    for (const Section& s : f->sections) names.push_back(s.name);
  return CopyList(names, buffer, size);
}

}  // namespace fake
