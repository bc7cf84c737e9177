// IniText edits: each touches only the lines it must and keeps every other
// byte (comments, blank lines, spacing, line breaks) as it was.
#include <string>

#include "platform/common/sjis.h"
#include "platform/ini/ini_text.h"
#include "platform/ini/profile_space.h"

namespace plat::ini {

std::string IniText::Splice(std::size_t begin, std::size_t end, std::string_view text) const {
  std::string out;
  out.reserve(bytes_.size() - (end - begin) + text.size());
  out.append(bytes_, 0, begin);
  out.append(text);
  out.append(bytes_, end, std::string::npos);
  return out;
}

// "name=" and the spaces after it stay; only the value is replaced. A line
// that had no '=' gets one.
std::string IniText::ReplaceValue(const Line& line, std::string_view value) const {
  std::string text = line.hasValue ? std::string() : std::string("=");
  text.append(value);
  return Splice(line.valueStart, line.end, text);
}

// A new key goes after the section's last entry, before any trailing
// comments or blank lines (which usually introduce the next section).
std::size_t IniText::InsertionLine(const Section& section) const {
  std::size_t after = section.header;
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines_[i].kind == Kind::kEntry && !IsComment(lines_[i])) after = i;
  }
  return after;
}

std::string IniText::InsertEntryAfter(std::size_t index, std::string_view key,
                                      std::string_view value) const {
  const Line& line = lines_[index];
  std::string text;
  if (line.next == line.end) text.append(eol_);  // the last line had no line break
  text.append(key).append("=").append(value).append(eol_);
  return Splice(line.next, line.next, text);
}

std::string IniText::AppendSection(std::string_view section, std::string_view key,
                                   std::string_view value) const {
  std::string text;
  if (bytes_.size() > start_ && bytes_.back() != '\n' && bytes_.back() != '\r') text.append(eol_);
  text.append("[").append(section).append("]").append(eol_);
  text.append(key).append("=").append(value).append(eol_);
  return Splice(bytes_.size(), bytes_.size(), text);
}

std::string IniText::WithValue(std::string_view section, std::string_view key,
                               std::string_view value) const {
  std::string_view sectionName = TrimSpace(section);
  std::string_view keyName = TrimSpace(key);
  const Section* found = FindSection(sectionName);
  if (!found) return AppendSection(sectionName, keyName, value);
  std::optional<std::size_t> entry = FindEntry(*found, keyName);
  if (entry) return ReplaceValue(lines_[*entry], value);
  return InsertEntryAfter(InsertionLine(*found), keyName, value);
}

// Every line of that name goes, so that no duplicate shows through afterwards.
std::string IniText::WithoutKey(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return bytes_;
  std::string_view wanted = TrimSpace(key);
  std::string out;
  out.reserve(bytes_.size());
  std::size_t kept = 0;
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Kind::kEntry || !sjis::EqualFolded(View(line.name), wanted)) continue;
    out.append(bytes_, kept, line.begin - kept);
    kept = line.next;
  }
  out.append(bytes_, kept, std::string::npos);
  return out;
}

// The header and everything up to the next header go, for every section of
// that name (duplicates included).
std::string IniText::WithoutSection(std::string_view section) const {
  std::string_view wanted = TrimSpace(section);
  std::string out;
  out.reserve(bytes_.size());
  std::size_t kept = 0;
  for (const Section& s : sections_) {
    if (!sjis::EqualFolded(View(s.name), wanted)) continue;
    std::size_t begin = lines_[s.header].begin;
    std::size_t end = s.end < lines_.size() ? lines_[s.end].begin : bytes_.size();
    out.append(bytes_, kept, begin - kept);
    kept = end;
  }
  out.append(bytes_, kept, std::string::npos);
  return out;
}

}  // namespace plat::ini
