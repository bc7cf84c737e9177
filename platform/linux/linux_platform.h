// Owns every Linux implementation and hands them out as one plat::Platform.
// The entry hands in what only the program knows: its dialog templates.
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
  explicit LinuxPlatform(DialogTemplateLookup templates);
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  // Starts SDL's video; false (with SDL's reason) when there is no display.
  bool Init(std::string& error);

  const Platform& Get() const { return platform_; }
  SdlWindowSystem& Windows() { return windows_; }
  LinuxDisplay& Display() { return display_; }
  GtkMessageBoxes& Boxes() { return boxes_; }
  void SetDialogTrace(IDialogTrace* trace) { dialogs_.SetTrace(trace); }

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
