#include "platform/ini/ini_text.h"

#include <utility>

#include "platform/common/sjis.h"
#include "platform/ini/profile_space.h"

namespace plat::ini {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The first line break decides the style of the lines we add.
std::string DetectLineBreak(std::string_view bytes) {
  std::size_t pos = bytes.find_first_of("\r\n");
  if (pos == std::string_view::npos) return "\r\n";
  if (bytes[pos] == '\n') return "\n";
  return (pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ? "\r\n" : "\r";
}

}  // namespace

IniText::IniText(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void IniText::Parse() {
  std::string_view all(bytes_);
  if (all.substr(0, kByteOrderMark.size()) == kByteOrderMark) start_ = kByteOrderMark.size();
  eol_ = DetectLineBreak(all.substr(start_));
  std::size_t pos = start_;
  while (pos < all.size()) {
    std::size_t end = pos;
    while (end < all.size() && !IsLineBreak(all[end])) ++end;
    std::size_t next = end;
    if (next < all.size()) next += (all[next] == '\r' && next + 1 < all.size() && all[next + 1] == '\n') ? 2 : 1;
    lines_.push_back(ParseLine(pos, end, next));
    if (lines_.back().kind == Kind::kHeader) {
      if (!sections_.empty()) sections_.back().end = lines_.size() - 1;
      sections_.push_back(Section{lines_.back().name, lines_.size() - 1, lines_.size()});
    }
    pos = next;
  }
  if (!sections_.empty()) sections_.back().end = lines_.size();
}

// Cut at a NUL before trimming: a name or value is what a C string caller
// sees of it, so no white space is left before the NUL, where lookups (which
// trim the wanted name) could never match it.
IniText::Span IniText::MakeSpan(std::size_t begin, std::size_t end) const {
  std::string_view raw = UpToNul(std::string_view(bytes_).substr(begin, end - begin));
  std::string_view text = TrimSpace(raw);
  std::size_t pos = static_cast<std::size_t>(text.data() - bytes_.data());
  return Span{pos, text.size()};
}

IniText::Line IniText::ParseLine(std::size_t begin, std::size_t end, std::size_t next) const {
  Line line;
  line.begin = begin;
  line.end = end;
  line.next = next;
  std::string_view text = TrimSpace(std::string_view(bytes_).substr(begin, end - begin));
  if (text.empty()) return line;
  std::size_t first = static_cast<std::size_t>(text.data() - bytes_.data());
  std::size_t last = first + text.size();
  if (text[0] == '[') ParseHeader(line, first, last);
  if (line.kind == Kind::kBlank) ParseEntry(line, first, last);
  return line;
}

// "[name]" up to the last ']' of the line; without a later ']' it is no header.
void IniText::ParseHeader(Line& line, std::size_t open, std::size_t end) const {
  std::string_view text = std::string_view(bytes_).substr(open, end - open);
  std::size_t close = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos)) {
    if (text[pos] == ']') close = pos;
  }
  if (close == 0) return;
  line.kind = Kind::kHeader;
  line.name = MakeSpan(open + 1, open + close);
}

void IniText::ParseEntry(Line& line, std::size_t begin, std::size_t end) const {
  line.kind = Kind::kEntry;
  std::string_view text = std::string_view(bytes_).substr(begin, end - begin);
  std::size_t eq = 0;
  while (eq < text.size() && text[eq] != '=') eq += sjis::CharLength(text, eq);
  if (eq >= text.size()) {
    line.name = MakeSpan(begin, end);
    line.valueStart = end;
    return;
  }
  line.hasValue = true;
  line.name = MakeSpan(begin, begin + eq);
  line.value = MakeSpan(begin + eq + 1, end);
  std::size_t start = begin + eq + 1;
  while (start < end && IsProfileSpace(static_cast<unsigned char>(bytes_[start]))) ++start;
  line.valueStart = start;
}

const IniText::Section* IniText::FindSection(std::string_view name) const {
  std::string_view wanted = TrimSpace(name);
  for (const Section& section : sections_) {
    if (sjis::EqualFolded(View(section.name), wanted)) return &section;
  }
  return nullptr;
}

std::optional<std::size_t> IniText::FindEntry(const Section& section, std::string_view key) const {
  std::string_view wanted = TrimSpace(key);
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines_[i].kind == Kind::kEntry && sjis::EqualFolded(View(lines_[i].name), wanted)) return i;
  }
  return std::nullopt;
}

bool IniText::IsComment(const Line& line) const {
  return line.kind == Kind::kEntry && line.name.len > 0 && bytes_[line.name.pos] == ';';
}

std::optional<std::string_view> IniText::FindValue(std::string_view section,
                                                   std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  std::optional<std::size_t> entry = FindEntry(*found, key);
  if (!entry || !lines_[*entry].hasValue) return std::nullopt;
  return View(lines_[*entry].value);
}

bool IniText::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string_view> IniText::SectionNames() const {
  std::vector<std::string_view> names;
  for (const Section& section : sections_) {
    if (section.name.len > 0) names.push_back(View(section.name));
  }
  return names;
}

// An empty name would end a NUL-separated list early, so it is not listed.
std::vector<std::string_view> IniText::KeyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  const Section* found = FindSection(section);
  if (!found) return names;
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    const Line& line = lines_[i];
    if (line.hasValue && line.name.len > 0 && !IsComment(line)) names.push_back(View(line.name));
  }
  return names;
}

}  // namespace plat::ini
