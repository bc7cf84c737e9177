// Windows entry: the screen-saver host's command line as WinMain gets it.
// The preview request is taken before the shell, which would end at once.
#include "platform/dialog_trace.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"
#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_host_window.h"
#include "platform/win32/win32_platform.h"
#include "saver/app.h"
#include "saver/embedded_run.h"
#include "saver/host_request.h"

namespace {

// Drawn with the software display into a child of the pane; a handle that
// names no window ends at once, having read and written nothing.
int RunPreview(const plat::win32_port::Win32Platform& platform, HINSTANCE instance,
               plat::WindowHandle pane) {
  plat::win32_port::Win32HostWindow host(instance);
  if (!host.Attach(pane)) return 0;
  plat::soft::SoftDisplayDevice display(1, 1, 32);
  plat::soft::SoftBitmapLoader bitmaps;
  const plat::Platform& base = platform.Get();
  const plat::Platform embedded =
      plat::MakePlatform(*base.windows, *base.boxes, *base.system, *base.clock, *base.input,
                         *base.profile, display, bitmaps, *base.sound);
  return prumya::RunEmbeddedProcess(embedded, host, static_cast<std::uint32_t>(pane));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  plat::win32_port::Win32Platform platform;
  plat::WindowHandle pane = 0;
  if (prumya::ParsePreviewRequest(commandLine, pane)) return RunPreview(platform, instance, pane);
  platform.SetDialogTrace(plat::EntryDialogTrace());
  return prumya::RunSaverProcess(platform.Get(), reinterpret_cast<plat::InstanceHandle>(instance),
                                 commandLine, showCommand);
}
