// A drawing surface for the parity tool: our software rasteriser on Linux,
// GDI (a DIB section) in the Windows build.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/display_device.h"

namespace parity {

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual bool Ok() const = 0;
  virtual plat::IDeviceContext& Dc() = 0;
  virtual std::uint32_t Rgb(std::int32_t x, std::int32_t y) const = 0;  // 0x00RRGGBB
};

// Black, width x height, 16 (5-6-5) or 32 bits per pixel.
std::unique_ptr<Canvas> MakeCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel);

}  // namespace parity
