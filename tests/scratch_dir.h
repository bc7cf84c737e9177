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
#include <unistd.h>
#endif

namespace testutil {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    path_ = base / ("prumya-" + tag + "-" + std::to_string(pid));
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
  std::filesystem::path path_;
};

}  // namespace testutil
