// The memory-bandwidth bound of a frame: a bare memset of the back buffer
// and a bare memcpy of it onto the primary surface, on the display's own
// surface memory (same size, same pages, no extra frame buffers).
#pragma once
#include <cstdint>

#include "platform/display_device.h"

namespace bench {

struct BoundTimes {
  std::int64_t clearNs = 0, copyNs = 0;
};

class BareBound {
 public:
  BareBound(plat::ISurface& back, plat::ISurface& primary) : back_(&back), primary_(&primary) {}
  // Locks both surfaces around the two timed calls; false when a lock fails.
  bool Measure(BoundTimes& out);

 private:
  plat::ISurface* back_;
  plat::ISurface* primary_;
};

}  // namespace bench
