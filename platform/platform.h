// Everything the framework and the saver get from the OS, handed in once at
// start-up. Each port builds it with MakePlatform from its own implementations.
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

// The one way to fill a Platform: every port but the dialog host is required,
// so a port added here cannot be left out by one of the builders.
inline Platform MakePlatform(IWindowSystem& windows, IMessageBoxes& boxes, ISystemInfo& system,
                             IClock& clock, IInputState& input, IProfileStore& profile,
                             IDisplayDevice& display, IBitmapLoader& bitmaps, ISoundDevice& sound,
                             IDialogHost* dialogs = nullptr) {
  Platform p;
  p.windows = &windows, p.boxes = &boxes, p.system = &system, p.clock = &clock;
  p.input = &input, p.profile = &profile, p.display = &display, p.bitmaps = &bitmaps;
  p.sound = &sound, p.dialogs = dialogs;
  return p;
}

}  // namespace plat
