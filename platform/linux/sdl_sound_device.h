// The sound device on Linux: held for the run as the framework asks, but the
// output device itself would only be opened for the first sound played, and
// the saver plays none. So no audio system is started at all: no device is
// held busy, no thread writes silence, and a machine without sound prints
// no errors.
#pragma once
#include "platform/window_system.h"

namespace plat::linux_port {

class SdlSoundDevice : public ISoundDevice {
 public:
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
