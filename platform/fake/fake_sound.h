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

  plat::HResult Create() override;
  plat::HResult SetCooperativeLevel(plat::WindowHandle window, std::uint32_t level) override;
  plat::HResult CreatePrimaryBuffer() override;
  bool HasPrimaryBuffer() override { return buffer; }
  void ReleasePrimaryBuffer() override;
  bool HasDevice() override { return device; }
  void ReleaseDevice() override;
};

}  // namespace fake
