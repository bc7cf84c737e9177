// The settings folder by the XDG rule, and the file-system facts on a real
// folder of the test's own.
#include <gtest/gtest.h>

#include <string>

#include "platform/linux/linux_system_info.h"
#include "tests/scratch_dir.h"

namespace {

using plat::linux_port::XdgSettingsFolder;

TEST(LinuxFiles, SettingsFolderFollowsTheXdgRule) {
  EXPECT_EQ("/cfg/prumya/", XdgSettingsFolder("/cfg", "/home/u"));
  EXPECT_EQ("/home/u/.config/prumya/", XdgSettingsFolder(nullptr, "/home/u"));
  EXPECT_EQ("/home/u/.config/prumya/", XdgSettingsFolder("", "/home/u"));
  EXPECT_EQ("/home/u/.config/prumya/", XdgSettingsFolder("relative/cfg", "/home/u"));
  EXPECT_EQ("", XdgSettingsFolder(nullptr, "home"));
}

TEST(LinuxFiles, FoldersAreMadeWholeAndProbedWithoutATrace) {
  testutil::ScratchDir scratch("linux-files");
  plat::linux_port::LinuxSystemInfo system;
  const std::string base = scratch.Path().string() + "/";
  const std::string folder = base + "a/b/prumya/";
  EXPECT_TRUE(system.MakeFolder(folder.c_str()));
  EXPECT_TRUE(system.MakeFolder(folder.c_str()));  // already there
  EXPECT_TRUE(system.CanCreateFilesIn(folder.c_str()));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  const std::string file = scratch.Write("file", "x");
  EXPECT_TRUE(system.FileExists(file.c_str()));
  EXPECT_FALSE(system.FileExists(folder.c_str()));
  EXPECT_FALSE(system.MakeFolder((file + "/sub/").c_str()));
  EXPECT_FALSE(system.CanCreateFilesIn((base + "missing/").c_str()));
}

}  // namespace
