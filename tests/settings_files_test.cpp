#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_profile_store.h"
#include "platform/fake/fake_system_info.h"
#include "saver/config.h"
#include "saver/settings_files.h"

namespace {

using Placed = std::vector<std::string>;  // settings, system presets, user presets

const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming\\ぷるみゅら\\";
const std::string kXdg = "/home/u/.config/prumya/";

TEST(SettingsFiles, PlacedByInstallLayoutThenWritabilityOfTheModulesFolder) {
  struct Case {
    const char* what;
    std::string module, userFolder, readOnly, existing;
    Placed want;
  };
  const std::string sys = "C:\\Windows\\System32\\";
  const Case cases[] = {
      {"portable", "C:\\Savers\\prumya.scr", kAppData, "", "",
       {"C:\\Savers\\prumya.ini", "C:\\Savers\\actsys.ini", "C:\\Savers\\action.ini"}},
      {"protected folder", sys + "prumya.scr", kAppData, sys, "",
       {kAppData + "prumya.ini", sys + "actsys.ini", kAppData + "action.ini"}},
      {"protected, no user folder", sys + "prumya.scr", "", sys, "",
       {sys + "prumya.ini", sys + "actsys.ini", sys + "action.ini"}},
      {"protected, user folder too long for the names", sys + "prumya.scr", "C:\\" + std::string(498, 'u') + "\\",
       sys, "", {sys + "prumya.ini", sys + "actsys.ini", sys + "action.ini"}},
      {"installed", "/usr/local/bin/prumya", kXdg, "", "/usr/local/share/prumya/actsys.ini",
       {kXdg + "prumya.ini", "/usr/local/share/prumya/actsys.ini", kXdg + "action.ini"}},
      {"bin without shared presets", "/opt/p/bin/prumya", kXdg, "", "/opt/p/share/actsys.ini",
       {"/opt/p/bin/prumya.ini", "/opt/p/bin/actsys.ini", "/opt/p/bin/action.ini"}},
      // ソ is 83 5C: its trail byte before "bin\" is no separator.
      {"double-byte name before bin", "C:\\Aソbin\\x.scr", kAppData, "", "C:\\Aソshare\\prumya\\actsys.ini",
       {"C:\\Aソbin\\prumya.ini", "C:\\Aソbin\\actsys.ini", "C:\\Aソbin\\action.ini"}},
  };
  for (const Case& c : cases) {
    fake::FakeProfileStore store;
    fake::FakeSystemInfo system;
    system.modulePath = c.module;
    system.userFolder = c.userFolder;
    if (!c.readOnly.empty()) system.readOnlyFolders.insert(c.readOnly);
    if (!c.existing.empty()) system.files.insert(c.existing);
    prumya::SettingsFiles files(store, system);
    prumya::IniPaths paths;
    files.Locate(paths);
    EXPECT_EQ(c.want, (Placed{paths.settings, paths.systemPresets, paths.userPresets})) << c.what;
    EXPECT_TRUE(system.madeFolders.empty()) << c.what;  // nothing made at start
  }
}

// The user's folder appears with the first write into it, not on reads; one
// that cannot be made fails the write, and nothing reaches the store.
TEST(SettingsFiles, UserFolderIsMadeByTheFirstWrite) {
  fake::FakeProfileStore store;
  fake::FakeSystemInfo system;
  system.modulePath = "C:\\Program Files\\p\\prumya.scr";
  system.readOnlyFolders.insert("C:\\Program Files\\p\\");
  prumya::SettingsFiles files(store, system);
  qrx::Random rng;
  prumya::SaverConfig config(files, rng);
  files.Locate(config.paths);
  config.LoadSettings(false);
  EXPECT_TRUE(system.madeFolders.empty());

  system.failMakeFolder = true;
  EXPECT_STREQ(config.paths.settings, config.WriteSettings());  // the save fails whole
  EXPECT_TRUE(store.Writes().empty());

  system.failMakeFolder = false;
  config.WriteSettings();
  ASSERT_FALSE(system.madeFolders.empty());
  EXPECT_EQ(kAppData, system.madeFolders.front());
  EXPECT_TRUE(store.Find(kAppData + "prumya.ini", "action", "name"));
}

}  // namespace
