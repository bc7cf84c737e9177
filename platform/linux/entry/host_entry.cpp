#include "platform/linux/entry/host_entry.h"

#include <cstdio>
#include <string>

#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_signals.h"
#include "platform/linux/linux_system_info.h"
#include "platform/linux/x11_host_window.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"
#include "saver/dialog_layout.h"
#include "saver/embedded_run.h"

namespace plat::linux_port {

namespace {

// The screen the host's window is on stands for the desktop the full-screen
// run would measure.
class HostScreenInfo : public LinuxSystemInfo {
 public:
  explicit HostScreenInfo(const X11HostWindow& host) : host_(&host) {}
  int ScreenWidth() override { return host_->ScreenWidth(); }
  int ScreenHeight() override { return host_->ScreenHeight(); }

 private:
  const X11HostWindow* host_;
};

}  // namespace

int RunInHostWindow(const prumya::XHostRequest& request) {
  if (request.kind == prumya::XHostRequest::Invalid) {
    std::fprintf(stderr, "prumya: no window id to draw in (decimal or 0x hex)\n");
    return 1;
  }
  X11HostWindow host;
  std::string error;
  if (!host.Attach(request.kind == prumya::XHostRequest::Root ? 0 : request.window, error)) {
    std::fprintf(stderr, "prumya: %s\n", error.c_str());
    return 1;
  }
  // SIGTERM is how a screen-saver daemon ends its hacks.
  InstallTerminationSignals();
  host.SetStopDescriptor(TerminationWakeFd());
  LinuxPlatform platform(&prumya::FindDialogTemplate);
  HostScreenInfo system(host);
  soft::SoftDisplayDevice display(1, 1, 32);
  soft::SoftBitmapLoader bitmaps;
  const Platform& base = platform.Get();
  const Platform embedded = MakePlatform(*base.windows, *base.boxes, system, *base.clock, *base.input,
                                         *base.profile, display, bitmaps, *base.sound);
  return prumya::RunEmbeddedProcess(embedded, host, host.WindowId());
}

}  // namespace plat::linux_port
