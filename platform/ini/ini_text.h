// One INI file's bytes, parsed into lines, with the lookups and edits the
// private-profile operations need. Works on memory only: the file I/O lives
// in IniStore, so this class can be fed any bytes (fuzzing, interrupted
// writes) and its edits checked without touching a disk.
//
// Format as kernel32 reads it: lines end with CR, LF or CRLF; a leading
// UTF-8 byte-order mark is skipped; a line whose trimmed text starts with
// '[' and has a later ']' opens a section named by the trimmed text up to
// the last ']'; other non-blank lines are entries "name=value" (split at the
// first '='; a line without '=' is an entry without value, which hides later
// entries of the same name but reads as missing). Names and values are
// trimmed of white space. Lines before the first header belong to no
// section. The first of duplicate sections and the first of duplicate
// entries win. Edits keep every byte they do not need to change.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::ini {

class IniText {
 public:
  IniText() = default;
  explicit IniText(std::string bytes);

  const std::string& Bytes() const { return bytes_; }

  // Names are matched trimmed and ASCII case-insensitively.
  std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Every non-empty section name in file order, duplicates included.
  std::vector<std::string_view> SectionNames() const;
  // The first matching section's keys that carry '=' (not comments, not empty).
  std::vector<std::string_view> KeyNames(std::string_view section) const;

  // Each edit returns the whole new text (equal to Bytes() when nothing changes).
  std::string WithValue(std::string_view section, std::string_view key,
                        std::string_view value) const;
  std::string WithoutKey(std::string_view section, std::string_view key) const;
  std::string WithoutSection(std::string_view section) const;

 private:
  struct Span {
    std::size_t pos = 0;
    std::size_t len = 0;
  };
  enum class Kind { kBlank, kHeader, kEntry };
  struct Line {
    std::size_t begin = 0;       // first byte
    std::size_t end = 0;         // end of the text, before the line break
    std::size_t next = 0;        // first byte of the next line
    Kind kind = Kind::kBlank;
    Span name;                   // section name or entry name
    Span value;                  // entry value (when hasValue)
    bool hasValue = false;
    std::size_t valueStart = 0;  // where a new value goes: after '=' and its spaces
  };
  struct Section {
    Span name;
    std::size_t header = 0;  // line index of the header
    std::size_t end = 0;     // one past its last line
  };

  void Parse();
  Line ParseLine(std::size_t begin, std::size_t end, std::size_t next) const;
  void ParseHeader(Line& line, std::size_t open, std::size_t end) const;
  void ParseEntry(Line& line, std::size_t begin, std::size_t end) const;
  std::string_view View(Span span) const { return std::string_view(bytes_).substr(span.pos, span.len); }
  Span MakeSpan(std::size_t begin, std::size_t end) const;

  const Section* FindSection(std::string_view name) const;
  std::optional<std::size_t> FindEntry(const Section& section, std::string_view key) const;
  bool IsComment(const Line& line) const;
  std::size_t InsertionLine(const Section& section) const;

  std::string Splice(std::size_t begin, std::size_t end, std::string_view text) const;
  std::string AppendSection(std::string_view section, std::string_view key,
                            std::string_view value) const;
  std::string InsertEntryAfter(std::size_t line, std::string_view key, std::string_view value) const;
  std::string ReplaceValue(const Line& line, std::string_view value) const;

  std::string bytes_;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  std::string eol_ = "\r\n";  // the file's own line break, for lines we add
  std::size_t start_ = 0;     // after the byte-order mark
};

}  // namespace plat::ini
