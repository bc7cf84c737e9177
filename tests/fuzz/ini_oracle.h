// Checks the INI store on any bytes without a second model of its rules
// (the differential check against kernel32 is their authority): the bytes
// are the file, and the same bytes read from their end drive a script of
// reads, writes and deletions. Reads stay inside their buffers and cut what
// the lookups hold; a write reads back as written and an edit leaves every
// other key and section as it was. Shared by the fuzz target (clang) and
// the regression test (both builds): ASCII only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/common/sjis.h"
#include "platform/ini/ini_text.h"
#include "platform/ini/profile_rules.h"

namespace inicheck {

// Pieces that names and values are built from: the characters the rules
// treat specially, DBCS characters whose trail looks like ASCII, a lone
// lead byte.
inline const char* const kFragments[] = {
    "",      "a",    "B",      "data00", "name", "command", " ",        "\t",    "\"",
    "'",     "=",    ";",      "[",      "]",    "\x81",    "\x95\x5c", "\x83\x5d", "\x83\x41",
    "\x83\x61", "0x1F", "-",   "12",     "99999999999", "\x1a", "\xef\xbb\xbf", "\r", "\n",
    "#",     "action", "???",  "\xe0",   "\x81\x40"};
constexpr unsigned kFragmentCount = sizeof(kFragments) / sizeof(kFragments[0]);

inline std::string Trim(std::string_view t) {
  const auto space = [](char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; };
  while (!t.empty() && space(t.front())) t.remove_prefix(1);
  while (!t.empty() && space(t.back())) t.remove_suffix(1);
  return std::string(t);
}
inline std::string Unquoted(std::string t) {
  if (t.size() >= 2 && (t[0] == '"' || t[0] == '\'') && t.back() == t[0]) return t.substr(1, t.size() - 2);
  return t;
}

using Entry = std::tuple<std::string, std::string, std::string>;  // section, key, value
// Every listed key but the edited ones (a whole section when `key` is null).
inline std::vector<Entry> Entries(const plat::ini::IniText& text, std::string_view section, const char* key) {
  std::vector<Entry> out;
  for (std::string_view s : text.SectionNames()) {
    const bool inTarget = plat::sjis::EqualFolded(s, Trim(section));
    for (std::string_view k : text.KeyNames(s))
      if (!inTarget || (key != nullptr && !plat::sjis::EqualFolded(k, Trim(key))))
        out.emplace_back(s, k, text.FindValue(s, k).value_or("<none>"));
  }
  return out;
}

class Checker {
 public:
  Checker(const std::uint8_t* data, std::size_t size)
      : text_(std::string(reinterpret_cast<const char*>(data), size)), data_(data), left_(size) {}

  // Empty when every step held; otherwise what went wrong first.
  std::string Run() {
    for (unsigned i = 1 + Byte() % 12; i > 0 && error_.empty(); --i) Step();
    return error_;
  }

 private:
  // Script bytes, from the end of the input towards its start; 0 once spent.
  unsigned Byte() { return left_ == 0 ? 0u : data_[--left_]; }
  std::string Synthesise() {
    std::string text;
    for (unsigned pieces = Byte() % 5; pieces > 0; --pieces) text += kFragments[Byte() % kFragmentCount];
    return text;
  }
  std::string Pick(const std::vector<std::string_view>& names) {
    const unsigned b = Byte();
    return b % 4 == 0 || names.empty() ? Synthesise() : std::string(names[(b / 4) % names.size()]);
  }
  void Fail(const std::string& what) {
    if (error_.empty()) error_ = what;
  }

  void Step() {
    const unsigned op = Byte() % 5;
    const std::string section = Pick(text_.SectionNames());
    const std::string key = Pick(text_.KeyNames(section));
    if (op < 3) Read(op < 2 ? section.c_str() : nullptr, op == 0 ? key.c_str() : nullptr);  // a value, keys, sections
    if (op == 3) Edit(section, key.c_str(), Synthesise());
    if (op == 4) Edit(section, Byte() % 2 ? key.c_str() : nullptr, std::string(), /*remove=*/true);
  }

  // A read into `size` bytes followed by guard bytes: it ends in a NUL, is
  // the whole value or list cut at a character, and leaves the guard.
  void Read(const char* section, const char* key) {
    const std::uint32_t size = Byte() % 48;
    std::vector<char> buf(size + 8, '\x7F');
    const bool list = key == nullptr;
    const std::uint32_t n = section == nullptr ? plat::ini::ReadSectionNames(text_, buf.data(), size)
                                               : plat::ini::ReadString(text_, section, key, "", buf.data(), size);
    if (std::string(buf.data() + size, 8) != std::string(8, '\x7F')) return Fail("a read overran its buffer");
    if (size == 0) return n == 0 ? void() : Fail("a read into no buffer returned " + std::to_string(n));
    if (n >= size || buf[n] != '\0') return Fail("a read lacks its NUL");
    std::string full;
    if (list) {
      std::vector<std::string_view> names = section ? text_.KeyNames(section) : text_.SectionNames();
      if (section && names.empty()) return;  // reads as the default text
      for (std::string_view name : names) full.append(name).push_back('\0');
    } else {
      const auto v = text_.FindValue(section, key);
      if (!v) return;
      full = Unquoted(std::string(*v));
    }
    const bool whole = list ? n == full.size() : n == plat::sjis::FitWhole(full, size - 1);
    if (std::string(buf.data(), n) != full.substr(0, n) || (!whole && !list)) return Fail("a read gave wrong bytes");
    if (list && !whole && (n + 3 < size || (size >= 2 && buf[n + 1] != '\0')))
      Fail("a cut name list is too short or lacks its two NULs");
  }

  // A write (or a deletion) of plain text is taken; it reads back as written
  // and leaves every other key where and as it was, adding or removing no
  // section but its own.
  void Edit(const std::string& section, const char* key, const std::string& value, bool remove = false) {
    std::string out;
    const plat::ini::WriteOutcome outcome =
        plat::ini::ApplyWrite(text_, section.c_str(), key, remove ? nullptr : value.c_str(), out);
    if (outcome == plat::ini::WriteOutcome::kUnchanged && out != text_.Bytes())
      return Fail("an unchanged write changed the text");
    if (outcome == plat::ini::WriteOutcome::kRefused)
      return remove || (section + (key ? key : "") + value).find_first_of("\r\n=[\x81\xe0") == std::string::npos
                 ? Fail("a plain edit was refused") : void();
    const plat::ini::IniText after(std::move(out));
    std::vector<std::string_view> expected = text_.SectionNames();
    std::vector<std::string_view> got = after.SectionNames();
    if (remove && key == nullptr) {
      if (after.HasSection(section)) Fail("a deleted section is still there");
      expected.clear();
      for (std::string_view s : text_.SectionNames())
        if (!plat::sjis::EqualFolded(s, Trim(section))) expected.push_back(s);
    } else if (!remove && !text_.HasSection(section) && !got.empty() && got.back() == Trim(section)) {
      got.pop_back();  // a new section comes last
    }
    if (got != expected) Fail("the section list changed beyond [" + section + "]");
    if (Entries(after, section, key) != Entries(text_, section, key))
      Fail("an edit of [" + section + "] changed another key");
    const auto v = after.FindValue(section, key ? key : "");
    if (remove && key && v) Fail("a deleted key still reads");
    if (!remove && (!v || Unquoted(std::string(*v)) != Unquoted(Trim(value)))) Fail("a write read back otherwise");
    text_ = after;
  }

  plat::ini::IniText text_;
  const std::uint8_t* data_;
  std::size_t left_;
  std::string error_;
};

inline std::string CheckIniInput(const std::uint8_t* data, std::size_t size) { return Checker(data, size).Run(); }

}  // namespace inicheck
