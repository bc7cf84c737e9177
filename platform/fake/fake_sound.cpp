#include "platform/fake/fake_sound.h"

namespace fake {

plat::HResult FakeSound::Create() {
  Record("SoundCreate");
  if (failCreate) return plat::kEFail;
  device = true;
  return plat::kOk;
}

plat::HResult FakeSound::SetCooperativeLevel(plat::WindowHandle window, std::uint32_t level) {
  Record("SoundSetCooperativeLevel");
  cooperativeWindow = window;
  cooperativeLevel = level;
  return plat::kOk;
}

plat::HResult FakeSound::CreatePrimaryBuffer() {
  Record("SoundCreatePrimaryBuffer");
  if (failBuffer) return plat::kEFail;
  buffer = true;
  return plat::kOk;
}

void FakeSound::ReleasePrimaryBuffer() {
  Record("SoundReleasePrimaryBuffer");
  buffer = false;
}

void FakeSound::ReleaseDevice() {
  Record("SoundReleaseDevice");
  device = false;
}

}  // namespace fake
