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
// The rename itself is made durable by flushing the directory that holds it.
void FlushDirectory(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  int fd = open(dir.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
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
