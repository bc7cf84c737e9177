// Linux entry: the saver's command line is argv[1..] joined by spaces. A
// host's window to draw in (--root, --window-id, XSCREENSAVER_WINDOW) is
// taken first; every other command line goes to the shell.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dialog_trace.h"
#include "platform/linux/entry/display_hook.h"
#include "platform/linux/entry/host_entry.h"
#include "platform/linux/linux_platform.h"
#include "saver/app.h"
#include "saver/dialog_layout.h"

namespace {

// A writable, NUL-terminated line: the shell lowercases it in place.
std::vector<char> JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return std::vector<char>(line.c_str(), line.c_str() + line.size() + 1);
}

constexpr plat::InstanceHandle kModuleInstance = 1;  // the one module; never 0
constexpr int kShowNormal = 1;                         // SW_SHOWNORMAL

}  // namespace

int main(int argc, char** argv) {
  const prumya::XHostRequest host =
      prumya::ParseXHostRequest(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (host.kind != prumya::XHostRequest::None) return plat::linux_port::RunInHostWindow(host);
  std::vector<char> commandLine = JoinArguments(argc, argv);
  plat::linux_port::LinuxPlatform platform(&prumya::FindDialogTemplate);
  std::string error;
  if (!platform.Init(error)) {
    std::fprintf(stderr, "prumya: cannot open the display (%s); is DISPLAY set?\n",
                 error.c_str());
    return 1;
  }
  plat::linux_port::PrepareDisplay(platform.Display());
  platform.SetDialogTrace(plat::EntryDialogTrace());
  return prumya::RunSaverProcess(platform.Get(), kModuleInstance, commandLine.data(), kShowNormal);
}
