#include "platform/ini/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <dirent.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace plat::ini {

namespace {

// The few calls that differ between the C runtimes.
#ifdef _WIN32
constexpr int kOpenFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
int ProcessId() { return _getpid(); }
bool FlushToDisk(int fd) { return _commit(fd) == 0; }
bool IsReadOnly(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}
void KeepMode(int, const char*) {}
bool RenameOver(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
void FlushDirectory(const std::string&) {}
#else
constexpr int kOpenFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
int ProcessId() { return static_cast<int>(getpid()); }
bool FlushToDisk(int fd) { return fsync(fd) == 0; }
bool IsReadOnly(const char* path) { return access(path, F_OK) == 0 && access(path, W_OK) != 0; }
void KeepMode(int fd, const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) fchmod(fd, st.st_mode & 07777);
}
bool RenameOver(const char* from, const char* to) { return std::rename(from, to) == 0; }
std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}
// The rename itself is made durable by flushing the directory that holds it.
void FlushDirectory(const std::string& path) {
  int fd = open(DirectoryOf(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}
#endif

#ifdef _WIN32
void RemoveStaleTemporaries(const std::string&) {}
#else
// The process id in a temporary file's name "<file>.<pid>.<attempt>.tmp",
// or 0 when the name is not one of ours for that file.
int TemporaryOwner(const std::string& name, const std::string& prefix) {
  const std::string suffix = ".tmp";
  if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return 0;
  }
  const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  const std::size_t dot = middle.find('.');
  if (dot == 0 || dot == std::string::npos || dot > 9 || dot + 1 == middle.size() ||
      middle.find_first_not_of("0123456789.") != std::string::npos ||
      middle.find('.', dot + 1) != std::string::npos) {
    return 0;
  }
  return std::stoi(middle.substr(0, dot));
}

// A writer killed between creating its temporary file and the rename leaves
// that file behind; the next writer removes those of processes that are
// gone, so they cannot pile up.
void RemoveStaleTemporaries(const std::string& target) {
  const std::string dir = DirectoryOf(target);
  const std::size_t slash = target.rfind('/');
  const std::string prefix = target.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
  DIR* listing = opendir(dir.c_str());
  if (!listing) return;
  while (const dirent* entry = readdir(listing)) {
    const int owner = TemporaryOwner(entry->d_name, prefix);
    if (owner > 0 && owner != ProcessId() && kill(owner, 0) != 0 && errno == ESRCH) {
      unlink((dir + "/" + entry->d_name).c_str());
    }
  }
  closedir(listing);
}
#endif

constexpr int kNameAttempts = 100;

int CreateTemporary(const std::string& target, std::string& name) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = target + "." + std::to_string(ProcessId()) + "." + std::to_string(attempt) + ".tmp";
    int fd = open(name.c_str(), kOpenFlags, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t chunk = bytes.size() - done;
    if (chunk > (1u << 30)) chunk = 1u << 30;
    auto n = write(fd, bytes.data() + done, static_cast<unsigned>(chunk));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ReadStatus ReadWholeFile(const char* path, std::size_t maxBytes, std::string& out) {
  out.clear();
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::kMissing : ReadStatus::kFailed;
  // A file known to be too large is refused before it is read: every
  // private-profile call reads the file anew, and the saver makes dozens.
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long length = std::ftell(file);
    const bool tooLarge = length > 0 && static_cast<unsigned long>(length) > maxBytes;
    if (tooLarge || std::fseek(file, 0, SEEK_SET) != 0) {
      std::fclose(file);
      return ReadStatus::kFailed;
    }
  }
  char chunk[16384];
  bool ok = true;
  for (;;) {
    std::size_t n = std::fread(chunk, 1, sizeof chunk, file);
    if (out.size() + n > maxBytes) {
      ok = false;
      break;
    }
    out.append(chunk, n);
    if (n < sizeof chunk) {
      ok = !std::ferror(file);
      break;
    }
  }
  std::fclose(file);
  if (!ok) out.clear();
  return ok ? ReadStatus::kOk : ReadStatus::kFailed;
}

bool ReplaceFileAtomically(const char* path, const std::string& bytes) {
  if (IsReadOnly(path)) return false;
  std::string target(path);
  RemoveStaleTemporaries(target);
  std::string temporary;
  int fd = CreateTemporary(target, temporary);
  if (fd < 0) return false;
  KeepMode(fd, path);
  bool ok = WriteAll(fd, bytes) && FlushToDisk(fd);
  ok = (close(fd) == 0) && ok;
  if (ok) ok = RenameOver(temporary.c_str(), path);
  if (!ok) {
    std::remove(temporary.c_str());
    return false;
  }
  FlushDirectory(target);
  return true;
}

}  // namespace plat::ini
