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
    Placed want;  // the folders of the three files
  };
  const std::string sys = "C:\\Windows\\System32\\", share = "/usr/local/share/prumya/";
  const Case cases[] = {
      {"portable", "C:\\Savers\\prumya.scr", kAppData, "", "", {"C:\\Savers\\", "C:\\Savers\\", "C:\\Savers\\"}},
      {"protected folder", sys + "prumya.scr", kAppData, sys, "", {kAppData, sys, kAppData}},
      {"protected, no user folder", sys + "prumya.scr", "", sys, "", {sys, sys, sys}},
      {"protected, user folder too long for the names", sys + "prumya.scr", "C:\\" + std::string(498, 'u') + "\\",
       sys, "", {sys, sys, sys}},
      {"installed", "/usr/local/bin/prumya", kXdg, "", share + "actsys.ini", {kXdg, share, kXdg}},
      {"bin without shared presets", "/opt/p/bin/prumya", kXdg, "", "/opt/p/share/actsys.ini",
       {"/opt/p/bin/", "/opt/p/bin/", "/opt/p/bin/"}},
      // ソ is 83 5C: its trail byte before "bin\" is no separator.
      {"double-byte name before bin", "C:\\Aソbin\\x.scr", kAppData, "", "C:\\Aソshare\\prumya\\actsys.ini",
       {"C:\\Aソbin\\", "C:\\Aソbin\\", "C:\\Aソbin\\"}},
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
    const Placed want{c.want[0] + "prumya.ini", c.want[1] + "actsys.ini", c.want[2] + "action.ini"};
    EXPECT_EQ(want, (Placed{paths.settings, paths.systemPresets, paths.userPresets})) << c.what;
    EXPECT_TRUE(system.madeFolders.empty()) << c.what;  // nothing made at start
  }
}

// The user's folder is made by the first write (the installed runs show it
// made then and not on reads); one that cannot be made fails the save whole
// and nothing reaches the store.
TEST(SettingsFiles, AUserFolderThatCannotBeMadeFailsTheSaveWhole) {
  fake::FakeProfileStore store;
  fake::FakeSystemInfo system;
  system.modulePath = "C:\\Program Files\\p\\prumya.scr";
  system.readOnlyFolders.insert("C:\\Program Files\\p\\");
  system.failMakeFolder = true;
  prumya::SettingsFiles files(store, system);
  qrx::Random rng;
  prumya::SaverConfig config(files, rng);
  files.Locate(config.paths);
  EXPECT_STREQ(config.paths.settings, config.WriteSettings());
  EXPECT_TRUE(store.Writes().empty());
}

}  // namespace
