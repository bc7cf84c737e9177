// Surface memory and how it is given back: the device's own blocks are
// zeroed by calloc (large ones arrive as untouched zero pages, so a surface
// never drawn on, like the work buffer, costs no resident memory) and freed;
// memory a present target lends for the primary surface goes back to it
// through its own release. Null when memory is short.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

namespace plat::soft {

struct PixelRelease {
  std::function<void(std::uint8_t*)> giveBack;  // empty: the device's own block
  void operator()(std::uint8_t* p) const {
    if (giveBack) giveBack(p);
    else std::free(p);
  }
};
using PixelMemory = std::unique_ptr<std::uint8_t[], PixelRelease>;

inline PixelMemory AllocatePixels(std::size_t bytes) {
  return PixelMemory(static_cast<std::uint8_t*>(std::calloc(bytes, 1)));
}

}  // namespace plat::soft
