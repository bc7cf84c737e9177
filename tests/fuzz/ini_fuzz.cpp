// libFuzzer target: the INI store's reads and edits on arbitrary bytes (see
// ini_oracle.h); the first write of each input also goes through the store
// onto a real file in a private directory.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fuzz/ini_oracle.h"

namespace {

std::filesystem::path g_dir;

void RemoveDir() {
  std::error_code ec;
  std::filesystem::remove_all(g_dir, ec);
}

// tmpfs when there is one: every file write is flushed to the disk.
const std::filesystem::path& FileDir() {
  if (g_dir.empty()) {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    g_dir = base / ("prumya-ini-fuzz." + std::to_string(getpid()));
    std::atexit(RemoveDir);
  }
  return g_dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string error = inicheck::CheckIniInput(data, size, FileDir());
  if (!error.empty()) {
    std::fprintf(stderr, "ini check failed: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
