// Windows entry: the screen-saver host's command line as WinMain gets it.
#include "platform/dialog_trace.h"
#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_platform.h"
#include "saver/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  plat::win32_port::Win32Platform platform;
  platform.SetDialogTrace(plat::EntryDialogTrace());
  return prumya::RunSaverProcess(platform.Get(), reinterpret_cast<plat::InstanceHandle>(instance),
                                 commandLine, showCommand);
}
