// Checks the INI store against its read rules on any bytes: the bytes are
// the file, and the same bytes read from their end drive a script of reads,
// writes and deletions. Every write must read back as written (trimmed and
// unquoted) and leave every other key and section as it was; every read
// must stay inside its buffer and answer what the lookups hold. Shared by
// the fuzz target (clang) and the regression test (both builds): ASCII only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ini/ini_text.h"
#include "platform/ini/profile_rules.h"
#include "platform/common/sjis.h"

namespace inicheck {

// Script bytes, taken from the end of the input towards its start; 0 once
// they run out.
class ScriptReader {
 public:
  ScriptReader(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}
  bool Empty() const { return left_ == 0; }
  unsigned Byte() { return left_ == 0 ? 0u : data_[--left_]; }

 private:
  const std::uint8_t* data_;
  std::size_t left_;
};

// Pieces that names and values are built from: the characters the rules
// treat specially, DBCS characters whose trail looks like ASCII, a lone
// lead byte.
inline const char* const kFragments[] = {
    "",      "a",    "B",      "data00", "name", "command", " ",        "\t",    "\"",
    "'",     "=",    ";",      "[",      "]",    "\x81",    "\x95\x5c", "\x83\x5d", "\x83\x41",
    "\x83\x61", "0x1F", "-",   "12",     "99999999999", "\x1a", "\xef\xbb\xbf", "\r", "\n",
    "#",     "action", "???",  "\xe0",   "\x81\x40"};
constexpr unsigned kFragmentCount = sizeof(kFragments) / sizeof(kFragments[0]);

inline std::string Synthesise(ScriptReader& script) {
  std::string text;
  const unsigned pieces = script.Byte() % 5;
  for (unsigned i = 0; i < pieces; ++i) text += kFragments[script.Byte() % kFragmentCount];
  return text;
}

// Independent statements of the read rules, so the check does not lean on
// the code under test.
inline bool IsSpace(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }
inline std::string Trim(std::string_view t) {
  std::size_t b = 0, e = t.size();
  while (b < e && IsSpace(static_cast<unsigned char>(t[b]))) ++b;
  while (e > b && IsSpace(static_cast<unsigned char>(t[e - 1]))) --e;
  return std::string(t.substr(b, e - b));
}
inline std::string Unquoted(std::string t) {
  if (t.size() >= 2 && (t[0] == '"' || t[0] == '\'') && t.back() == t[0]) return t.substr(1, t.size() - 2);
  return t;
}
inline std::string DefaultRead(const std::string& d) {
  std::string t = d;
  while (!t.empty() && t.back() == ' ') t.pop_back();
  return Unquoted(t);
}
inline bool HasBreak(std::string_view t) { return t.find_first_of("\r\n") != std::string_view::npos; }

using NameKey = std::pair<std::string, std::string>;  // folded section and key

// What the lookups hold: every visible section's keys with their values.
struct Snapshot {
  std::vector<std::string> sections;  // SectionNames(), duplicates included
  std::vector<std::pair<std::string, std::string>> keys;  // (section, key) of first sections
  std::vector<std::string> values;
  std::map<NameKey, std::size_t> index;  // folded names -> position in keys and values
};

// A name as lookups compare it: ASCII letters outside DBCS characters folded.
inline std::string Folded(std::string_view name) {
  std::string out(name);
  for (std::size_t pos = 0; pos < out.size();) {
    const std::size_t len = plat::sjis::CharLength(out, pos);
    if (len == 1 && out[pos] >= 'a' && out[pos] <= 'z') out[pos] = static_cast<char>(out[pos] - 'a' + 'A');
    pos += len;
  }
  return out;
}

inline Snapshot Take(const plat::ini::IniText& text) {
  Snapshot s;
  for (std::string_view name : text.SectionNames()) s.sections.emplace_back(name);
  std::set<std::string> seen;
  for (const std::string& section : s.sections) {
    const std::string folded = Folded(section);
    if (!seen.insert(folded).second) continue;
    for (std::string_view key : text.KeyNames(section)) {
      if (!s.index.emplace(NameKey(folded, Folded(key)), s.keys.size()).second) continue;
      std::optional<std::string_view> v = text.FindValue(section, key);
      s.keys.emplace_back(section, std::string(key));
      s.values.emplace_back(v ? std::string(*v) : std::string("<missing>"));
    }
  }
  return s;
}

class Checker {
 public:
  Checker(const std::uint8_t* data, std::size_t size)
      : text_(std::string(reinterpret_cast<const char*>(data), size)), script_(data, size) {}

  // Empty when every step held; otherwise what went wrong first.
  std::string Run() {
    const unsigned steps = 1 + script_.Byte() % 12;
    for (unsigned i = 0; i < steps && error_.empty(); ++i) Step();
    return error_;
  }

 private:
  void Fail(const std::string& what) {
    if (error_.empty()) error_ = what;
  }

  std::string PickSection() {
    std::vector<std::string_view> names = text_.SectionNames();
    const unsigned b = script_.Byte();
    if (b % 4 == 0 || names.empty()) return Synthesise(script_);
    return std::string(names[(b / 4) % names.size()]);
  }
  std::string PickKey(const std::string& section) {
    std::vector<std::string_view> keys = text_.KeyNames(section);
    const unsigned b = script_.Byte();
    if (b % 4 == 0 || keys.empty()) return Synthesise(script_);
    return std::string(keys[(b / 4) % keys.size()]);
  }

  void Step() {
    switch (script_.Byte() % 7) {
      case 0: ReadText(); break;
      case 1: ReadInt(); break;
      case 2: ReadList(true); break;
      case 3: ReadList(false); break;
      case 4: Write(); break;
      case 5: DeleteKey(); break;
      case 6: DeleteSection(); break;
    }
  }

  // A heap buffer of exactly `size` bytes, so a sanitizer sees any overrun.
  static std::unique_ptr<char[]> Buffer(std::uint32_t size) {
    std::unique_ptr<char[]> b(new char[size == 0 ? 1 : size]);
    std::memset(b.get(), 0x7F, size == 0 ? 1 : size);
    return b;
  }

  void ReadText() {
    const std::string section = PickSection(), key = PickKey(section);
    const std::string def = Synthesise(script_);
    const std::uint32_t size = script_.Byte() % 40;
    std::unique_ptr<char[]> buf = Buffer(size);
    const std::uint32_t n =
        plat::ini::ReadString(text_, section.c_str(), key.c_str(), def.c_str(), buf.get(), size);
    if (size == 0) {
      if (n != 0) Fail("read into no buffer returned " + std::to_string(n));
      return;
    }
    std::optional<std::string_view> v = text_.FindValue(section, key);
    const std::string expected = v ? Unquoted(std::string(*v)) : DefaultRead(def);
    const std::size_t fit = plat::sjis::FitWhole(expected, size - 1);
    if (n != fit || buf[n] != '\0' || std::string(buf.get(), n) != expected.substr(0, fit))
      Fail("string read of [" + section + "] " + key + " gave '" + std::string(buf.get(), n < size ? n : 0) +
           "', expected a cut of '" + expected + "'");
  }

  void ReadInt() {
    const std::string section = PickSection(), key = PickKey(section);
    const std::int32_t def = static_cast<std::int32_t>(script_.Byte()) - 128;
    const std::int32_t got = plat::ini::ReadInt(text_, section.c_str(), key.c_str(), def);
    std::optional<std::string_view> v = text_.FindValue(section, key);
    const std::string value = v ? Unquoted(std::string(*v)) : std::string();
    const std::int32_t expected = value.empty() ? def : plat::ini::ParseProfileInt(value);
    if (got != expected) Fail("integer read of [" + section + "] " + key + " disagrees with its text");
  }

  // The section list, or the key list of one section: names separated by
  // NULs, ended by two NULs, all inside the buffer.
  void ReadList(bool sections) {
    const std::string section = sections ? std::string() : PickSection();
    const std::uint32_t size = script_.Byte() % 48;
    std::unique_ptr<char[]> buf = Buffer(size);
    std::vector<std::string_view> names = sections ? text_.SectionNames() : text_.KeyNames(section);
    std::uint32_t n = sections ? plat::ini::ReadSectionNames(text_, buf.get(), size)
                               : plat::ini::ReadString(text_, section.c_str(), nullptr, "", buf.get(), size);
    if (!sections && names.empty()) return;  // reads as the default text
    if (size == 0) {
      if (n != 0) Fail("list into no buffer returned " + std::to_string(n));
      return;
    }
    std::string full;
    for (std::string_view name : names) full.append(name).push_back('\0');
    if (n >= size || buf[n] != '\0' || std::string(buf.get(), n) != full.substr(0, n)) {
      Fail("name list cut wrongly");
      return;
    }
    const bool whole = n == full.size();
    if (!whole && size >= 2 && (n + 1 >= size || buf[n + 1] != '\0')) Fail("cut name list lacks its two NULs");
    if (!whole && n + 3 < size) Fail("name list cut shorter than its buffer");
  }

  // A new section whose name ends in a lone lead byte: its ']' would be
  // taken as the trail byte.
  bool BreaksHeader(const std::string& section) const {
    if (text_.HasSection(section)) return false;
    const std::string name = Trim(section);
    return plat::sjis::EndsInLoneLead(name);
  }
  bool RefusalExpected(const std::string& section, const std::string& key, const std::string& value) const {
    const std::string k = Trim(key);
    return HasBreak(section) || HasBreak(key) || HasBreak(value) || k.find('=') != std::string::npos ||
           (!k.empty() && k[0] == '[') || BreaksHeader(section);
  }

  bool Apply(const char* section, const char* key, const char* value, std::string& out) {
    const plat::ini::WriteOutcome outcome = plat::ini::ApplyWrite(text_, section, key, value, out);
    if (outcome == plat::ini::WriteOutcome::kUnchanged && out != text_.Bytes()) Fail("an unchanged write changed the text");
    return outcome != plat::ini::WriteOutcome::kRefused;
  }

  void Write() {
    const std::string section = PickSection(), key = PickKey(section), value = Synthesise(script_);
    std::string out;
    const std::shared_ptr<const Snapshot> before = Current();
    if (!Apply(section.c_str(), key.c_str(), value.c_str(), out)) {
      if (!RefusalExpected(section, key, value))
        Fail("write refused: [" + section + "] " + key + "=" + value);
      return;
    }
    if (RefusalExpected(section, key, value)) Fail("write taken that breaks lines: [" + section + "] " + key);
    Adopt(std::move(out));
    std::optional<std::string_view> v = text_.FindValue(section, key);
    if (!v || Unquoted(std::string(*v)) != Unquoted(Trim(value))) {
      Fail("write of [" + section + "] " + key + "='" + value + "' reads back as '" +
           (v ? std::string(*v) : std::string("<missing>")) + "'");
      return;
    }
    ExpectOthersKept(*before, section, key, /*sectionMayBeNew=*/true);
  }

  void DeleteKey() {
    const std::string section = PickSection(), key = PickKey(section);
    std::string out;
    const std::shared_ptr<const Snapshot> before = Current();
    if (!Apply(section.c_str(), key.c_str(), nullptr, out)) {
      Fail("key deletion refused");
      return;
    }
    Adopt(std::move(out));
    if (text_.FindValue(section, key)) Fail("deleted key [" + section + "] " + key + " still reads");
    ExpectOthersKept(*before, section, key, false);
  }

  void DeleteSection() {
    const std::string section = PickSection();
    std::string out;
    const std::shared_ptr<const Snapshot> before = Current();
    if (!Apply(section.c_str(), nullptr, nullptr, out)) {
      Fail("section deletion refused");
      return;
    }
    Adopt(std::move(out));
    if (text_.HasSection(section)) Fail("deleted section [" + section + "] still there");
    const Snapshot& after = *Current();
    std::vector<std::string> kept;
    for (const std::string& s : before->sections)
      if (!plat::sjis::EqualFolded(s, Trim(section))) kept.push_back(s);
    if (after.sections != kept) Fail("section deletion changed other sections");
    for (const auto& [name, i] : before->index) {
      if (plat::sjis::EqualFolded(before->keys[i].first, Trim(section))) continue;
      ExpectValue(*before, name, after);
    }
  }

  void ExpectValue(const Snapshot& before, const NameKey& name, const Snapshot& after) {
    const std::size_t i = before.index.at(name);
    const auto found = after.index.find(name);
    const std::string value = found == after.index.end() ? std::string("<missing>") : after.values[found->second];
    if (value != before.values[i])
      Fail("[" + before.keys[i].first + "] " + before.keys[i].second + " changed from '" + before.values[i] +
           "' to '" + value + "'");
  }

  void ExpectOthersKept(const Snapshot& before, const std::string& section, const std::string& key,
                        bool sectionMayBeNew) {
    const Snapshot& after = *Current();
    std::vector<std::string> expected = before.sections;
    bool known = false;
    for (const std::string& s : before.sections) known = known || plat::sjis::EqualFolded(s, Trim(section));
    // An empty name is never listed.
    if (sectionMayBeNew && !known && !Trim(section).empty()) expected.push_back(Trim(section));
    if (after.sections != expected) Fail("the section list changed beyond [" + section + "]");
    auto isTarget = [&](const std::pair<std::string, std::string>& k) {
      return plat::sjis::EqualFolded(k.first, Trim(section)) && plat::sjis::EqualFolded(k.second, Trim(key));
    };
    for (const auto& [name, i] : before.index)
      if (!isTarget(before.keys[i])) ExpectValue(before, name, after);
    for (const auto& [name, i] : after.index) {
      if (!isTarget(after.keys[i]) && before.index.count(name) == 0)
        Fail("a write made [" + after.keys[i].first + "] " + after.keys[i].second + " appear");
    }
  }

  void Adopt(std::string bytes) {
    text_ = plat::ini::IniText(std::move(bytes));
    snapshot_.reset();
  }
  // What the lookups hold now, taken once for each text.
  std::shared_ptr<const Snapshot> Current() {
    if (!snapshot_) snapshot_ = std::make_shared<const Snapshot>(Take(text_));
    return snapshot_;
  }

  plat::ini::IniText text_;
  ScriptReader script_;
  std::shared_ptr<const Snapshot> snapshot_;
  std::string error_;
};

inline std::string CheckIniInput(const std::uint8_t* data, std::size_t size) { return Checker(data, size).Run(); }

}  // namespace inicheck
