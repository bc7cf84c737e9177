// The framework's objects for one process, wired together over a Platform.
#pragma once
#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "framework/random.h"
#include "framework/screen.h"
#include "framework/sound_system.h"
#include "framework/surface_slots.h"
#include "platform/platform.h"

namespace qrx {

class Framework {
 public:
  explicit Framework(const plat::Platform& p)
      : platform(p),
        shell(*p.windows, *p.clock, random),
        sound(*p.sound, shell),
        boxes(*p.boxes, *p.windows, shell),
        screen(*p.display, *p.clock, shell, boxes, sound),
        slots(screen, *p.display, *p.bitmaps, *p.system, boxes) {
    boxes.AttachScreen(&screen);
    screen.AttachSlots(&slots);
  }
  Framework(const Framework&) = delete;
  Framework& operator=(const Framework&) = delete;

  plat::Platform platform;
  Random random;
  AppShell shell;
  SoundSystem sound;
  BoxHost boxes;
  Screen screen;
  SlotTable slots;
};

}  // namespace qrx
