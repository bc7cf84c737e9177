// A private directory for one test, removed again afterwards: the only place
// a test writes to. Unique to the process and to the object, as ctest runs
// cases in parallel processes, several builds' suites may run at once, and
// one process may hold two. On tmpfs where there is one, as every write of
// the INI store is flushed to the disk; what killed runs left there is
// swept away.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>
#ifndef _WIN32
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace testutil {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag) {
    namespace fs = std::filesystem;
    static int serial = 0;
    std::error_code ec;
#ifdef _WIN32
    // Not "/dev/shm": under Wine that is the host's, shared by every prefix,
    // whose processes get the same small ids; the prefix's own temporary
    // folder keeps concurrent runs apart.
    const fs::path base = fs::temp_directory_path();
#else
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
#endif
    const std::string prefix = "prumya-" + tag + "-";
    path_ = base / (prefix + std::to_string(getpid()) + "-" + std::to_string(++serial));
#ifndef _WIN32
    for (const auto& entry : fs::directory_iterator(base, ec)) {  // leftovers of processes now gone
      const std::string name = entry.path().filename().string();
      const long owner = name.rfind(prefix, 0) == 0 ? std::atol(name.c_str() + prefix.size()) : 0;
      if (owner > 0 && kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
    }
#endif
    fs::remove_all(path_, ec);
    EXPECT_TRUE(fs::create_directories(path_, ec)) << path_.string() << ": " << ec.message();
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    EXPECT_FALSE(std::filesystem::exists(path_, ec)) << "left behind: " << path_.string();
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // Writes a file below the directory and checks that it holds the bytes;
  // returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = File(name);
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    EXPECT_EQ(bytes, Read(name)) << "writing " << path;
    return path;
  }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    return Write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testutil
