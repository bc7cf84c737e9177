// The file-system facts that place the settings files.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/linux/linux_system_info.h"

namespace plat::linux_port {

namespace {

bool Absolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

std::string XdgSettingsFolder(const char* configHome, const char* home) {
  if (Absolute(configHome)) return std::string(configHome) + "/prumya/";
  if (Absolute(home)) return std::string(home) + "/.config/prumya/";
  return std::string();
}

bool LinuxSystemInfo::UserSettingsFolder(char* buffer, std::uint32_t size) {
  const char* home = std::getenv("HOME");
  if (!Absolute(home)) {  // as a service might start it: the account's own home
    const passwd* account = getpwuid(getuid());
    home = account != nullptr ? account->pw_dir : nullptr;
  }
  const std::string folder = XdgSettingsFolder(std::getenv("XDG_CONFIG_HOME"), home);
  if (folder.empty() || folder.size() >= size) return false;
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return true;
}

// A file of our own made and removed again; O_EXCL so nobody else's is hit.
bool LinuxSystemInfo::CanCreateFilesIn(const char* folder) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::string probe = std::string(folder) + ".prumya-probe-" +
                              std::to_string(getpid()) + "-" + std::to_string(attempt);
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      close(fd);
      unlink(probe.c_str());
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool LinuxSystemInfo::FileExists(const char* path) {
  struct stat info {};
  return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

// Each missing level made private to the user, as the XDG rule asks.
bool LinuxSystemInfo::MakeFolder(const char* folder) {
  std::string path(folder);
  if (path.empty()) return false;
  if (path.back() != '/') path += '/';
  for (std::size_t end = path.find('/', 1); end != std::string::npos; end = path.find('/', end + 1)) {
    const std::string level = path.substr(0, end);
    if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace plat::linux_port
