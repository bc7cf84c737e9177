// Module path, screen size and the file-system facts for tests: folders are
// writable unless listed, files exist when listed, made folders are recorded.
#pragma once
#include <cstdint>
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

  std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;
  int ScreenWidth() override { return width; }
  int ScreenHeight() override { return height; }
  bool UserSettingsFolder(char* buffer, std::uint32_t size) override;
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
