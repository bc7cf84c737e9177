// The sound device, opened with the display and closed with it.
#pragma once
#include "platform/window_system.h"

namespace qrx {

class AppShell;

class SoundSystem {
 public:
  SoundSystem(plat::ISoundDevice& device, AppShell& shell) : device_(&device), shell_(&shell) {}
  void OpenSound();
  void CloseSound();
  bool Ready() const { return ready_; }

 private:
  plat::ISoundDevice* device_;
  AppShell* shell_;
  bool ready_ = false;
};

}  // namespace qrx
