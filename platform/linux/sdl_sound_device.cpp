#include "platform/linux/sdl_sound_device.h"

namespace plat::linux_port {

SdlSoundDevice::~SdlSoundDevice() { ReleaseDevice(); }

HResult SdlSoundDevice::Create() {
  if (device_ != 0) return kOk;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return kEFail;
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);  // default device, paused
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return kEFail;
  }
  return kOk;
}

HResult SdlSoundDevice::SetCooperativeLevel(WindowHandle, std::uint32_t) {
  return device_ != 0 ? kOk : kEFail;
}

// The device's own stream stands for the primary buffer; nothing is played.
HResult SdlSoundDevice::CreatePrimaryBuffer() {
  if (device_ == 0) return kEFail;
  buffer_ = true;
  return kOk;
}

void SdlSoundDevice::ReleaseDevice() {
  if (device_ == 0) return;
  buffer_ = false;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
}

}  // namespace plat::linux_port
