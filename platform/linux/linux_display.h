// The Linux display: the software display device over the desktop's size,
// its bitmap loader (embedded resources, files) and the SDL presenter.
#pragma once
#include "platform/linux/sdl_presenter.h"
#include "platform/linux/sdl_window_system.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"

namespace plat::linux_port {

class LinuxDisplay {
 public:
  explicit LinuxDisplay(SdlWindowSystem& windows);
  // After SDL's video has started: takes the desktop's size.
  void Init();

  soft::SoftDisplayDevice& Device() { return device_; }
  soft::SoftBitmapLoader& Bitmaps() { return bitmaps_; }
  SdlPresenter& Presenter() { return presenter_; }

 private:
  soft::SoftDisplayDevice device_{1, 1};
  soft::SoftBitmapLoader bitmaps_;
  SdlPresenter presenter_;
};

}  // namespace plat::linux_port
