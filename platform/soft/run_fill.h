// Fills runs of one pixel value. Pen spans are short, a few to a few dozen
// pixels, where a general fill spends more on choosing its strategy than on
// storing: here a run is covered by fixed-size block stores of a repeated
// pattern, the last one overlapping the one before, so each run costs a few
// stores and one or two branches.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace plat::soft {

class RunFill {
 public:
  template <typename P>
  explicit RunFill(P value) {
    for (std::size_t i = 0; i < kBlock; i += sizeof(P)) std::memcpy(pattern_ + i, &value, sizeof(P));
  }

  // `bytes` is a whole number of pixels from a pixel boundary.
  void Fill(std::uint8_t* at, std::size_t bytes) const {
    if (bytes >= kBlock) {
      std::uint8_t* const end = at + bytes;
      for (; at + kBlock <= end; at += kBlock) std::memcpy(at, pattern_, kBlock);
      if (at < end) std::memcpy(end - kBlock, pattern_, kBlock);
    } else if (bytes >= 16) {
      Pair<16>(at, bytes);
    } else if (bytes >= 8) {
      Pair<8>(at, bytes);
    } else if (bytes >= 4) {
      Pair<4>(at, bytes);
    } else if (bytes >= 2) {
      Pair<2>(at, bytes);
    }
  }

 private:
  static constexpr std::size_t kBlock = 32;

  // Runs of n to 2n bytes: one block at each end.
  template <std::size_t n>
  void Pair(std::uint8_t* at, std::size_t bytes) const {
    std::memcpy(at, pattern_, n);
    std::memcpy(at + bytes - n, pattern_, n);
  }

  std::uint8_t pattern_[kBlock];
};

}  // namespace plat::soft
