#include "platform/linux/sdl_sound_device.h"

namespace plat::linux_port {

HResult SdlSoundDevice::Create() {
  held_ = true;
  return kOk;
}

HResult SdlSoundDevice::SetCooperativeLevel(WindowHandle, std::uint32_t) {
  return held_ ? kOk : kEFail;
}

HResult SdlSoundDevice::CreatePrimaryBuffer() {
  if (!held_) return kEFail;
  buffer_ = true;
  return kOk;
}

void SdlSoundDevice::ReleaseDevice() {
  buffer_ = false;
  held_ = false;
}

}  // namespace plat::linux_port
