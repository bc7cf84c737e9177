#include "framework/sound_system.h"

#include "framework/app_shell.h"

namespace qrx {

// A missing device is silent: the display goes on without sound.
void SoundSystem::OpenSound() {
  if (ready_) return;  // already open: a second open would leak the first device
  if (device_->Create() < 0) {
    ready_ = false;
    return;
  }
  device_->SetCooperativeLevel(shell_->GetMainWindow(), plat::kDsSclNormal);
  device_->CreatePrimaryBuffer();
  ready_ = true;
}

// The buffer belongs to the device, so it goes first.
void SoundSystem::CloseSound() {
  if (!ready_) return;
  if (device_->HasPrimaryBuffer()) device_->ReleasePrimaryBuffer();
  if (device_->HasDevice()) device_->ReleaseDevice();
  ready_ = false;
}

}  // namespace qrx
