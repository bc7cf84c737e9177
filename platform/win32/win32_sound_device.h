// DirectSound: the default device at normal cooperative level and its
// primary buffer, created and released and never played.
#pragma once
#include "platform/window_system.h"

struct IDirectSound;
struct IDirectSoundBuffer;

namespace plat::win32_port {

class Win32SoundDevice : public ISoundDevice {
 public:
  ~Win32SoundDevice() override;
  HResult Create() override;
  HResult SetCooperativeLevel(WindowHandle window, std::uint32_t level) override;
  HResult CreatePrimaryBuffer() override;
  bool HasPrimaryBuffer() override { return buffer_ != nullptr; }
  void ReleasePrimaryBuffer() override;
  bool HasDevice() override { return device_ != nullptr; }
  void ReleaseDevice() override;

 private:
  IDirectSound* device_ = nullptr;
  IDirectSoundBuffer* buffer_ = nullptr;
};

}  // namespace plat::win32_port
