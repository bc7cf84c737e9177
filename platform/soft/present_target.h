// Where a software display shows its primary surface: called after every
// write onto the primary surface with a read-only view of its pixels.
#pragma once
#include "platform/display_device.h"

namespace plat {

class IPresentTarget {
 public:
  virtual ~IPresentTarget() = default;
  virtual void Present(const LockedSurface& frame) = 0;
};

}  // namespace plat
