// A private directory for one test, removed again afterwards. Unique to the
// process, as several builds' suites may run at once; on tmpfs where there
// is one, as every write of the INI store is flushed to the disk.
#pragma once
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace testutil {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag) {
    namespace fs = std::filesystem;
    std::error_code ec;
#ifdef _WIN32
    // Not "/dev/shm": under Wine that is the host's, shared by every prefix,
    // whose processes get the same small ids; the prefix's own temporary
    // folder keeps concurrent runs apart.
    fs::path base = fs::temp_directory_path();
    const int pid = _getpid();
#else
    fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    const int pid = static_cast<int>(getpid());
#endif
    const std::string prefix = "prumya-" + tag + "-";
    path_ = base / (prefix + std::to_string(pid));
    RemoveLeftovers(base, prefix);
    fs::remove_all(path_, ec);
    fs::create_directories(path_, ec);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  // Directories of runs that were killed before they could remove theirs
  // (on tmpfs they hold memory).
  static void RemoveLeftovers(const std::filesystem::path& base, const std::string& prefix) {
#ifndef _WIN32
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
      const std::string name = entry.path().filename().string();
      if (name.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string digits = name.substr(prefix.size());
      if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
      const pid_t owner = static_cast<pid_t>(std::stol(digits));
      if (kill(owner, 0) != 0 && errno == ESRCH) std::filesystem::remove_all(entry.path(), ec);
    }
#else
    (void)base;
    (void)prefix;
#endif
  }

  std::filesystem::path path_;
};

}  // namespace testutil
