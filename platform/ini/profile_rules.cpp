#include "platform/ini/profile_rules.h"

#include <cstring>

#include "platform/common/sjis.h"
#include "platform/ini/profile_space.h"

namespace plat::ini {

std::string_view Unquote(std::string_view text) {
  if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::string_view DefaultText(const char* defaultText) {
  if (!defaultText) return {};
  std::string_view text(defaultText);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return Unquote(text);
}

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return 99;
}

unsigned BasePrefix(std::string_view text) {
  if (text.size() < 2 || text[0] != '0') return 0;
  switch (text[1]) {
    case 'x': return 16;
    case 'o': return 8;
    case 'b': return 2;
    default: return 0;
  }
}

}  // namespace

std::int32_t ParseProfileInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  unsigned base = BasePrefix(text.substr(pos));
  if (base != 0) {
    pos += 2;
  } else {
    base = 10;
  }
  std::uint32_t total = 0;
  for (; pos < text.size(); ++pos) {
    int digit = DigitValue(text[pos]);
    if (digit >= static_cast<int>(base)) break;
    total = total * base + static_cast<std::uint32_t>(digit);
  }
  if (negative) total = 0u - total;
  return static_cast<std::int32_t>(total);
}

std::uint32_t CopyString(std::string_view text, char* buffer, std::uint32_t size) {
  return static_cast<std::uint32_t>(sjis::CopyBounded(buffer, size, text));
}

std::uint32_t CopyList(const std::vector<std::string_view>& names, char* buffer,
                       std::uint32_t size) {
  if (!buffer || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::size_t pos = 0;
  std::size_t room = size - 1;  // what is left before the list's final NUL
  for (std::string_view name : names) {
    if (name.size() + 1 >= room) {
      std::size_t n = sjis::FitWhole(name, room - 1);
      if (n > 0) std::memcpy(buffer + pos, name.data(), n);
      pos += n;
      buffer[pos] = '\0';
      buffer[pos + 1] = '\0';
      return static_cast<std::uint32_t>(pos);
    }
    std::memcpy(buffer + pos, name.data(), name.size());
    pos += name.size();
    buffer[pos++] = '\0';
    room -= name.size() + 1;
  }
  buffer[pos] = '\0';
  return static_cast<std::uint32_t>(pos);
}

namespace {

// What a read answers: a list of names, or one text.
struct Answer {
  bool isList = false;
  std::vector<std::string_view> names;
  std::string_view text;
};

Answer Resolve(const IniText& text, const char* section, const char* key,
               std::string_view defaultText) {
  Answer answer;
  if (!section) {
    answer.isList = true;
    answer.names = text.SectionNames();
  } else if (!key) {
    answer.names = text.KeyNames(section);
    answer.isList = !answer.names.empty();
    answer.text = defaultText;
  } else {
    std::optional<std::string_view> value = text.FindValue(section, key);
    answer.text = value ? Unquote(*value) : defaultText;
  }
  return answer;
}

}  // namespace

std::uint32_t ReadString(const IniText& text, const char* section, const char* key,
                         const char* defaultText, char* buffer, std::uint32_t size) {
  if (!buffer || size == 0) return 0;
  Answer answer = Resolve(text, section, key, DefaultText(defaultText));
  return answer.isList ? CopyList(answer.names, buffer, size)
                       : CopyString(answer.text, buffer, size);
}

std::int32_t ReadInt(const IniText& text, const char* section, const char* key,
                     std::int32_t defaultValue) {
  Answer answer = Resolve(text, section, key, {});
  std::string_view value = answer.text;
  if (answer.isList) value = answer.names.empty() ? std::string_view() : answer.names[0];
  return value.empty() ? defaultValue : ParseProfileInt(value);
}

std::uint32_t ReadSectionNames(const IniText& text, char* buffer, std::uint32_t size) {
  return CopyList(text.SectionNames(), buffer, size);
}

namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A key must come back as the same key: no line break, no '=', and nothing
// that would read as a section header.
bool IsWritableKey(std::string_view key) {
  std::string_view name = TrimSpace(key);
  return !HasLineBreak(key) && name.find('=') == std::string_view::npos &&
         (name.empty() || name[0] != '[');
}

// A new section's header must come back as the same name: a name ending in
// a lone lead byte would take the closing ']' as its trail byte, and the
// key written under it would land in the section before.
bool IsWritableNewSection(std::string_view section) {
  std::string_view name = TrimSpace(section);
  return !HasLineBreak(section) && !sjis::EndsInLoneLead(name);
}

}  // namespace

WriteOutcome ApplyWrite(const IniText& text, const char* section, const char* key,
                        const char* value, std::string& out) {
  if (!section) return WriteOutcome::kRefused;
  if (!key) {
    out = text.WithoutSection(section);
  } else if (!value) {
    out = text.WithoutKey(section, key);
  } else {
    if (HasLineBreak(section) || !IsWritableKey(key) || HasLineBreak(value) ||
        (!text.HasSection(section) && !IsWritableNewSection(section))) {
      return WriteOutcome::kRefused;
    }
    out = text.WithValue(section, key, value);
  }
  return out == text.Bytes() ? WriteOutcome::kUnchanged : WriteOutcome::kChanged;
}

}  // namespace plat::ini
