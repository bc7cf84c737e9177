#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/module_path.h"
#include "platform/fake/fake_profile_store.h"
#include "platform/fake/fake_system_info.h"
#include "saver/startup.h"

namespace {

using DialogCall = std::pair<plat::InstanceHandle, plat::WindowHandle>;  // instance, parent

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() : files(store, system), config(files, rng) {
    system.modulePath = "E:\\Savers\\x.scr";
  }
  bool Start(const char* commandLine) {
    std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
    return prumya::RunStartup(
        config, files, system,
        [this](plat::InstanceHandle i, plat::WindowHandle p) { dialogs.push_back({i, p}); }, 7,
        line.data());
  }

  fake::FakeProfileStore store;
  fake::FakeSystemInfo system;
  prumya::SettingsFiles files;
  qrx::Random rng;
  prumya::SaverConfig config;
  std::vector<DialogCall> dialogs;
};

std::string Resolve(const std::string& module, const char* name, std::size_t size = 512) {
  fake::FakeSystemInfo system;
  system.modulePath = module;
  std::vector<char> out(size, 'z');
  const bool ok = qrx::ResolveBesideModule(system, out.data(), size, name);
  return (ok ? "" : "refused:") + std::string(out.data());
}

}  // namespace

// What ends at once does not even look for the files' folder; the settings
// are read only for the dialog; nothing is written.
TEST_F(StartupTest, ModeTable) {
  struct Case {
    const char* line;
    bool run, dialog;
    plat::WindowHandle parent;
  };
  for (const Case& c : {Case{"/s", true, false, 0}, Case{"-s", true, false, 0}, Case{"s", false, false, 0},
                        Case{"/p 1234", false, false, 0}, Case{"/a", false, false, 0}, Case{"/c:1234", false, true, 1234},
                        Case{"/c 1234", false, true, 1234}, Case{"/c", false, true, 0}, Case{"", false, true, 0},
                        Case{"/c:", false, true, 0}, Case{"/c: \t-12x", false, true, static_cast<plat::WindowHandle>(-12)},
                        Case{"/c:abc", false, true, 0}}) {
    SCOPED_TRACE(c.line);
    store.log.clear();
    system.probed.clear();
    dialogs.clear();
    EXPECT_EQ(c.run, Start(c.line));
    EXPECT_EQ(c.run || c.dialog, !system.probed.empty());
    EXPECT_EQ(c.dialog, !store.log.empty());
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_EQ((c.dialog ? std::vector<DialogCall>{{7, c.parent}} : std::vector<DialogCall>{}), dialogs);
  }
}

TEST_F(StartupTest, PathsLieBesideTheModuleAndMaximaFitTheScreen) {
  system.height = 600;
  store.Set("E:\\Savers\\action.ini", "* ぷるみゅら", "data07", "250");
  Start("/c");
  EXPECT_STREQ("E:\\Savers\\prumya.ini", config.paths.settings);
  EXPECT_STREQ("E:\\Savers\\actsys.ini", config.paths.systemPresets);
  EXPECT_STREQ("E:\\Savers\\action.ini", config.paths.userPresets);
  EXPECT_EQ(800, config.screenWidth);
  for (int i : {prumya::Radius, prumya::Margin, prumya::WobbleAmplitude})
    EXPECT_EQ(150, config.ranges[i].maximum);
  EXPECT_EQ(150, config.params[prumya::Radius]);
  EXPECT_EQ(16, config.ranges[prumya::HeadMove].maximum);
}

TEST(ResolveBesideModule, PlacesNamesInTheModulesDirectory) {
  const std::string soft = "C:\\ソフト\\";  // ソ is 83 5C
  EXPECT_EQ(soft + "prumya.ini", Resolve(soft + "x.scr", "prumya.ini"));
  const std::string table = "C:\\Savers\\表示.scr";  // 表 is 95 5C
  EXPECT_EQ("C:\\Savers\\prumya.ini", Resolve(table, "prumya.ini"));
  const std::string linuxDir = "/opt/ぷるみゅら/";
  EXPECT_EQ(linuxDir + "action.ini", Resolve(linuxDir + "prumya", "action.ini"));
  EXPECT_EQ("actsys.ini", Resolve("prumya.scr", "actsys.ini"));
  EXPECT_EQ("D:\\elsewhere\\f.ini", Resolve("C:\\a\\x.scr", "D:\\elsewhere\\f.ini"));
}

TEST(ResolveBesideModule, RefusesWhatDoesNotFit) {
  EXPECT_EQ("C:\\a\\pp.ini", Resolve("C:\\a\\x.scr", "pp.ini", 12));  // 11 bytes
  EXPECT_EQ("refused:", Resolve("C:\\a\\x.scr", "ppp.ini", 12));
  EXPECT_EQ("refused:", Resolve("C:\\a\\x.scr", "D:\\0123456789", 12));
  // A module path that fills the system's buffer may have been cut.
  EXPECT_EQ("refused:", Resolve("C:\\" + std::string(600, 'd') + "\\x.scr", "p.ini", 2048));
}
