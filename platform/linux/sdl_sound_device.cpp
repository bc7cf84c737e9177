#include "platform/linux/sdl_sound_device.h"

#include <SDL.h>

namespace plat::linux_port {

SdlSoundDevice::~SdlSoundDevice() { ReleaseDevice(); }

HResult SdlSoundDevice::Create() {
  if (held_) return kOk;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return kEFail;
  SDL_AudioSpec want{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return kEFail;
  }
  SDL_CloseAudioDevice(device);
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
  if (!held_) return;
  buffer_ = false;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  held_ = false;
}

}  // namespace plat::linux_port
