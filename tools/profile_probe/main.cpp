// profile-probe: runs private-profile queries from stdin, one per line, and
// prints one answer line each, so that our INI store and kernel32 can be fed
// the same queries and their answers compared byte for byte.
//
//   str SECTION KEY DEFAULT SIZE FILE   GetPrivateProfileStringA
//   int SECTION KEY DEFAULT FILE        GetPrivateProfileIntA
//   write SECTION KEY VALUE FILE        WritePrivateProfileStringA
//   names SIZE FILE                     GetPrivateProfileSectionNamesA
//
// Fields are TAB-separated; "\N" is a null pointer; "\xHH" is a byte, "\\" a
// backslash. Answers: the return value, and for str and names a TAB and the
// buffer (filled with 0xCC before the call, trailing 0xCC dropped, bytes
// outside 0x20..0x7E and the backslash as \xHH).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#if PROFILE_PROBE_KERNEL32
#include "platform/win32/win32_profile_store.h"
using ProbeStore = plat::Win32ProfileStore;
#else
#include "platform/ini/ini_store.h"
using ProbeStore = plat::IniStore;
#endif

namespace {

constexpr unsigned char kFill = 0xCC;
constexpr std::size_t kGuard = 64;          // bytes past the buffer that must stay untouched
constexpr std::uint32_t kMaxSize = 1 << 20; // larger sizes are refused, not allocated

using Field = std::optional<std::string>;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Field Decode(const std::string& raw) {
  if (raw == "\\N") return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 3 < raw.size() && raw[i + 1] == 'x' &&
        HexDigit(raw[i + 2]) >= 0 && HexDigit(raw[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(raw[i + 2]) * 16 + HexDigit(raw[i + 3]));
      i += 3;
    } else if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else {
      out += raw[i];
    }
  }
  return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return parts;
    start = tab + 1;
  }
}

std::string Escape(const unsigned char* data, std::size_t size) {
  std::string out;
  char hex[8];
  for (std::size_t i = 0; i < size; ++i) {
    unsigned char c = data[i];
    if (c >= 0x20 && c <= 0x7E && c != '\\') {
      out += static_cast<char>(c);
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

const char* Ptr(const Field& f) { return f ? f->c_str() : nullptr; }

// A bare file name would send kernel32 to the Windows directory.
Field LocalFile(const Field& f) {
  if (!f || f->empty() || f->find_first_of("/\\") != std::string::npos) return f;
  return "./" + *f;
}

bool ParseSize(const Field& f, std::uint32_t& size) {
  if (!f || f->empty() || f->size() > 7) return false;
  for (char c : *f) {
    if (c < '0' || c > '9') return false;
  }
  size = static_cast<std::uint32_t>(std::strtoul(f->c_str(), nullptr, 10));
  return size <= kMaxSize;
}

// A buffer with guard bytes behind it; shows the caller's bytes and any overrun.
class ProbeBuffer {
 public:
  explicit ProbeBuffer(std::uint32_t size) : size_(size), bytes_(size + kGuard, kFill) {}
  char* Data() { return reinterpret_cast<char*>(bytes_.data()); }
  std::string Show() const {
    std::size_t n = size_;
    while (n > 0 && bytes_[n - 1] == kFill) --n;
    std::string out = Escape(bytes_.data(), n);
    for (std::size_t i = size_; i < bytes_.size(); ++i) {
      if (bytes_[i] != kFill) return out + "\t!overrun";
    }
    return out;
  }

 private:
  std::uint32_t size_;
  std::vector<unsigned char> bytes_;
};

std::string RunStr(plat::IProfileStore& store, const std::vector<Field>& f) {
  std::uint32_t size = 0;
  if (f.size() != 6 || !ParseSize(f[4], size)) return "error: str SECTION KEY DEFAULT SIZE FILE";
  ProbeBuffer buffer(size);
  std::uint32_t n = store.GetString(Ptr(f[1]), Ptr(f[2]), Ptr(f[3]), buffer.Data(), size,
                                    Ptr(LocalFile(f[5])));
  return std::to_string(n) + "\t" + buffer.Show();
}

std::string RunInt(plat::IProfileStore& store, const std::vector<Field>& f) {
  if (f.size() != 5 || !f[3]) return "error: int SECTION KEY DEFAULT FILE";
  auto def = static_cast<std::int32_t>(std::strtol(f[3]->c_str(), nullptr, 10));
  return std::to_string(store.GetInt(Ptr(f[1]), Ptr(f[2]), def, Ptr(LocalFile(f[4]))));
}

std::string RunWrite(plat::IProfileStore& store, const std::vector<Field>& f) {
  if (f.size() != 5) return "error: write SECTION KEY VALUE FILE";
  return store.WriteString(Ptr(f[1]), Ptr(f[2]), Ptr(f[3]), Ptr(LocalFile(f[4]))) ? "1" : "0";
}

std::string RunNames(plat::IProfileStore& store, const std::vector<Field>& f) {
  std::uint32_t size = 0;
  if (f.size() != 3 || !ParseSize(f[1], size)) return "error: names SIZE FILE";
  ProbeBuffer buffer(size);
  std::uint32_t n = store.GetSectionNames(buffer.Data(), size, Ptr(LocalFile(f[2])));
  return std::to_string(n) + "\t" + buffer.Show();
}

std::string RunQuery(plat::IProfileStore& store, const std::string& line) {
  std::vector<Field> fields;
  for (const std::string& part : SplitTabs(line)) fields.push_back(Decode(part));
  const std::string verb = fields[0] ? *fields[0] : "";
  if (verb == "str") return RunStr(store, fields);
  if (verb == "int") return RunInt(store, fields);
  if (verb == "write") return RunWrite(store, fields);
  if (verb == "names") return RunNames(store, fields);
  return "error: unknown query";
}

}  // namespace

int main() {
  ProbeStore store;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::cout << RunQuery(store, line) << '\n' << std::flush;
  }
  return 0;
}
