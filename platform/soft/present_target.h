// Where a software display shows its primary surface: called after every
// write onto the primary surface with a read-only view of its pixels.
#pragma once
#include "platform/display_device.h"
#include "platform/soft/pixel_memory.h"

namespace plat {

class IPresentTarget {
 public:
  virtual ~IPresentTarget() = default;
  virtual void Present(const LockedSurface& frame) = 0;
  // Memory the target can show without copying it, for a primary surface of
  // this size and format (rows without padding); null when it has none and
  // the device allocates its own.
  virtual soft::PixelMemory LendPrimary(std::int32_t, std::int32_t, const PixelFormat&) {
    return nullptr;
  }
};

}  // namespace plat
