// A decoded bitmap in memory: top-down rows of 0x00RRGGBB pixels.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/display_device.h"

namespace plat::soft {

class SoftBitmap : public IBitmap {
 public:
  SoftBitmap(std::int32_t width, std::int32_t height, std::unique_ptr<std::uint32_t[]> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  // Unchecked: 0 <= x < Width(), 0 <= y < Height(), y counted from the top.
  std::uint32_t Rgb(std::int32_t x, std::int32_t y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x];
  }

 private:
  std::int32_t width_, height_;
  std::unique_ptr<std::uint32_t[]> pixels_;
};

}  // namespace plat::soft
