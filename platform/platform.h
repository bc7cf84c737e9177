// Everything the framework and the saver get from the OS, handed in once at
// start-up. Each port fills it with its own implementations; tests use fakes.
#pragma once
#include "platform/display_device.h"
#include "platform/profile_store.h"
#include "platform/system.h"
#include "platform/window_system.h"

namespace plat {

class IDialogHost;  // settings dialog and about box (platform/dialog_host.h)

struct Platform {
  IWindowSystem* windows = nullptr;
  IMessageBoxes* boxes = nullptr;
  ISystemInfo* system = nullptr;
  IClock* clock = nullptr;
  IInputState* input = nullptr;
  IProfileStore* profile = nullptr;
  IDisplayDevice* display = nullptr;
  IBitmapLoader* bitmaps = nullptr;
  ISoundDevice* sound = nullptr;
  IDialogHost* dialogs = nullptr;
};

}  // namespace plat
