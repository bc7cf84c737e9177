// The default SDL audio device, held open (paused, silent) for the run as
// the DirectSound device and its primary buffer are. No device: Create fails.
#pragma once
#include <SDL.h>

#include "platform/window_system.h"

namespace plat::linux_port {

class SdlSoundDevice : public ISoundDevice {
 public:
  ~SdlSoundDevice() override;
  HResult Create() override;
  HResult SetCooperativeLevel(WindowHandle window, std::uint32_t level) override;
  HResult CreatePrimaryBuffer() override;
  bool HasPrimaryBuffer() override { return buffer_; }
  void ReleasePrimaryBuffer() override { buffer_ = false; }
  bool HasDevice() override { return device_ != 0; }
  void ReleaseDevice() override;

 private:
  SDL_AudioDeviceID device_ = 0;
  bool buffer_ = false;
};

}  // namespace plat::linux_port
