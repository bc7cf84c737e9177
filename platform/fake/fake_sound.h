// A sound device whose creation can fail; records its calls in order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/fake/call_log.h"
#include "platform/window_system.h"

namespace fake {

class FakeSound : public plat::ISoundDevice, public Recorder {
 public:
  bool failCreate = false;
  bool failBuffer = false;
  plat::WindowHandle cooperativeWindow = 0;
  std::uint32_t cooperativeLevel = 0;
  bool device = false, buffer = false;

  plat::HResult Create() override {
    Record("SoundCreate");
    device = !failCreate;
    return device ? plat::kOk : plat::kEFail;
  }
  plat::HResult SetCooperativeLevel(plat::WindowHandle window, std::uint32_t level) override {
    Record("SoundSetCooperativeLevel");
    cooperativeWindow = window;
    cooperativeLevel = level;
    return plat::kOk;
  }
  plat::HResult CreatePrimaryBuffer() override {
    Record("SoundCreatePrimaryBuffer");
    buffer = !failBuffer;
    return buffer ? plat::kOk : plat::kEFail;
  }
  bool HasPrimaryBuffer() override { return buffer; }
  void ReleasePrimaryBuffer() override {
    Record("SoundReleasePrimaryBuffer");
    buffer = false;
  }
  bool HasDevice() override { return device; }
  void ReleaseDevice() override {
    Record("SoundReleaseDevice");
    device = false;
  }
};

}  // namespace fake
