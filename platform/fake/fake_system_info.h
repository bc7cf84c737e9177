// Module path, screen size and the file-system facts for tests: folders are
// writable unless listed, files exist when listed, made folders are recorded.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

namespace fake {

class FakeSystemInfo : public plat::ISystemInfo {
 public:
  std::string modulePath = "C:\\Savers\\prumya.scr";
  int width = 800;
  int height = 600;
  std::string userFolder = "C:\\Users\\u\\AppData\\Roaming\\ぷるみゅら\\";  // "": none
  std::set<std::string> readOnlyFolders;
  std::set<std::string> files;
  bool failMakeFolder = false;
  std::vector<std::string> probed;       // CanCreateFilesIn calls
  std::vector<std::string> madeFolders;  // MakeFolder calls that succeeded

  // As GetModuleFileNameA since Vista: a path that does not fit is cut to
  // size - 1 bytes plus NUL and the result is size.
  std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override {
    if (size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(modulePath.size(), size - 1);
    std::memcpy(buffer, modulePath.data(), n);
    buffer[n] = '\0';
    return n < modulePath.size() ? size : static_cast<std::uint32_t>(n);
  }
  int ScreenWidth() override { return width; }
  int ScreenHeight() override { return height; }
  bool UserSettingsFolder(char* buffer, std::uint32_t size) override {
    if (userFolder.empty() || userFolder.size() >= size) return false;
    std::memcpy(buffer, userFolder.c_str(), userFolder.size() + 1);
    return true;
  }
  bool CanCreateFilesIn(const char* folder) override {
    probed.push_back(folder);
    return readOnlyFolders.count(folder) == 0;
  }
  bool FileExists(const char* path) override { return files.count(path) != 0; }
  bool MakeFolder(const char* folder) override {
    if (failMakeFolder) return false;
    madeFolders.push_back(folder);
    return true;
  }
};

}  // namespace fake
