// Owns every Linux implementation and hands them out as one plat::Platform.
// The display (with its bitmap loader) is plugged in by its own port through
// the setters below.
#pragma once
#include <string>

#include "platform/ini/ini_store.h"
#include "platform/linux/gtk_dialog_host.h"
#include "platform/linux/gtk_message_boxes.h"
#include "platform/linux/linux_clock.h"
#include "platform/linux/linux_display.h"
#include "platform/linux/linux_system_info.h"
#include "platform/linux/sdl_input_state.h"
#include "platform/linux/sdl_sound_device.h"
#include "platform/linux/sdl_window_system.h"
#include "platform/platform.h"

namespace plat::linux_port {

class LinuxPlatform {
 public:
  LinuxPlatform();
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  // Starts SDL's video; false (with SDL's reason) when there is no display.
  bool Init(std::string& error);

  const Platform& Get() const { return platform_; }
  SdlWindowSystem& Windows() { return windows_; }
  LinuxDisplay& Display() { return display_; }
  GtkMessageBoxes& Boxes() { return boxes_; }

  // Hooks for the other ports; each object must outlive the run.
  void SetDisplay(IDisplayDevice* display, IBitmapLoader* bitmaps) {
    platform_.display = display;
    platform_.bitmaps = bitmaps;
  }
  void SetDialogs(IDialogHost* dialogs) { platform_.dialogs = dialogs; }
  void SetProfileStore(IProfileStore* profile) { platform_.profile = profile; }

 private:
  // First member, so SDL is shut down after every object that uses it.
  struct SdlSession {
    bool started = false;
    ~SdlSession();
  };
  SdlSession sdl_;
  SdlWindowSystem windows_;
  GtkMessageBoxes boxes_;
  GtkDialogHost dialogs_;
  LinuxSystemInfo system_;
  LinuxClock clock_;
  SdlInputState input_{windows_};
  SdlSoundDevice sound_;
  IniStore profile_;
  LinuxDisplay display_{windows_};
  Platform platform_;
};

}  // namespace plat::linux_port
