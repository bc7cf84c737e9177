// A drawing context on the back buffer; the Screen hands its device context
// in and takes it back. A Painter without a context draws nothing.
#pragma once
#include <cstdint>

#include "platform/display_device.h"

namespace qrx {

class Painter {
 public:
  plat::IDeviceContext* dc = nullptr;
  // One solid pen of the given width per call; the end point is excluded
  // for width 1, as LineTo does.
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
            std::int32_t width, plat::ColourRef colour) {
    if (dc != nullptr) dc->Line(x1, y1, x2, y2, width, colour);
  }
};

}  // namespace qrx
