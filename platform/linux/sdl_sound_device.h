// The sound device on Linux: SDL's audio subsystem, held for the run once
// the default output device has been seen to open. No stream stays open:
// nothing is ever played, and an open SDL device keeps a high-priority
// thread writing silence (a busy loop on devices that never block).
// No device: Create fails.
#pragma once
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
  bool HasDevice() override { return held_; }
  void ReleaseDevice() override;

 private:
  bool held_ = false;
  bool buffer_ = false;
};

}  // namespace plat::linux_port
