// The runtime's 15-bit linear congruential generator, written out so that
// both builds draw the same numbers from the same seed.
#pragma once
#include <cstdint>

namespace qrx {

class Random {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }
  int Next() {  // 0..32767
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }
  // One draw modulo n + 1: 0..n (n >= 0).
  std::int32_t UpTo(std::int32_t n) { return Next() % (n + 1); }
  // lo..hi; with zeroAllowed false a zero is drawn again.
  std::int32_t Between(std::int32_t lo, std::int32_t hi, bool zeroAllowed) {
    const std::int32_t span = hi - lo + 1;
    for (;;) {
      const std::int32_t v = lo + Next() % span;
      if (zeroAllowed || v != 0) return v;
    }
  }
  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace qrx
