// Every port as a fake, over the software display, as one Platform: the
// saver's objects run on it without a window system, files or sound.
#pragma once
#include <cstdint>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_profile_store.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/fake_window_system.h"
#include "platform/platform.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"

namespace fake {

struct FakePorts {
  FakePorts(std::int32_t width = 1024, std::int32_t height = 768, std::int32_t bpp = 32)
      : display(width, height, bpp) {
    system.width = width;
    system.height = height;
  }

  // clockInstead, when given, stands in for the fake clock.
  plat::Platform Get(plat::IClock* clockInstead = nullptr) {
    return plat::MakePlatform(windows, boxes, system, clockInstead ? *clockInstead : clock, input,
                              profile, display, bitmaps, sound);
  }

  FakeWindowSystem windows;
  FakeMessageBoxes boxes;
  FakeSystemInfo system;
  FakeClock clock;
  FakeInput input;
  FakeProfileStore profile;
  plat::soft::SoftDisplayDevice display;
  plat::soft::SoftBitmapLoader bitmaps;
  FakeSound sound;
};

}  // namespace fake
