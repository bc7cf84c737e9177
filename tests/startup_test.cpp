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

std::string Resolve(const std::string& module, const char* name, std::size_t size) {
  fake::FakeSystemInfo system;
  system.modulePath = module;
  std::vector<char> out(size, 'z');
  const bool ok = qrx::ResolveBesideModule(system, out.data(), size, name);
  return (ok ? "" : "refused:") + std::string(out.data());
}

}  // namespace

// What ends at once does not even look for the files' folder; the settings
// are read only for the dialog, from beside the module, with the maxima
// fitted to the screen; nothing is written.
TEST(Startup, ModeTable) {
  fake::FakeProfileStore store;
  fake::FakeSystemInfo system;
  system.modulePath = "E:\\Savers\\x.scr";
  prumya::SettingsFiles files(store, system);
  qrx::Random rng;
  prumya::SaverConfig config(files, rng);
  std::vector<DialogCall> dialogs;
  const auto start = [&](const char* commandLine) {
    std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
    const auto dialog = [&](plat::InstanceHandle i, plat::WindowHandle p) { dialogs.push_back({i, p}); };
    return prumya::RunStartup(config, files, system, dialog, 7, line.data());
  };
  store.Set("E:\\Savers\\action.ini", "* ぷるみゅら", "data07", "250");
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
    EXPECT_EQ(c.run, start(c.line));
    EXPECT_EQ(c.run || c.dialog, !system.probed.empty());
    EXPECT_EQ(c.dialog, !store.log.empty());
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_EQ((c.dialog ? std::vector<DialogCall>{{7, c.parent}} : std::vector<DialogCall>{}), dialogs);
  }
  EXPECT_EQ(800, config.screenWidth);
  for (int i : {prumya::Radius, prumya::Margin, prumya::WobbleAmplitude})
    EXPECT_EQ(150, config.ranges[i].maximum);
  EXPECT_EQ(150, config.params[prumya::Radius]);
  EXPECT_EQ(16, config.ranges[prumya::HeadMove].maximum);
}

// A module path that fills the system's buffer may have been cut.
TEST(ResolveBesideModule, PlacesNamesInTheModulesDirectoryOrRefuses) {
  struct Case {
    std::string module;
    const char* name;
    std::size_t size;
    std::string want;
  };
  for (const Case& c : {Case{"C:\\a\\x.scr", "D:\\elsewhere\\f.ini", 512, "D:\\elsewhere\\f.ini"},
                        Case{"C:\\a\\x.scr", "pp.ini", 12, "C:\\a\\pp.ini"},  // 11 bytes
                        Case{"C:\\a\\x.scr", "ppp.ini", 12, "refused:"},
                        Case{"C:\\a\\x.scr", "D:\\0123456789", 12, "refused:"},
                        Case{"C:\\" + std::string(600, 'd') + "\\x.scr", "p.ini", 2048, "refused:"}})
    EXPECT_EQ(c.want, Resolve(c.module, c.name, c.size)) << c.module << " " << c.name;
}
