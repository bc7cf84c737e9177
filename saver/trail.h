// The picture model: one trail of points whose head crosses the screen on
// diagonals and bounces inside a margin, advanced once per drawn frame.
#pragma once
#include <cstdint>

#include "framework/random.h"
#include "saver/config.h"

namespace prumya {

constexpr int kTrailCapacity = 512;

struct ChainPoint {
  std::int32_t x, y, spin, wobble, red, green, blue;
};

// Where the cursor was when the exit check last took its reference. An
// explicit flag marks "not taken", so negative screen coordinates (monitors
// left of or above the primary one) are valid anchors.
struct CursorAnchor {
  std::int32_t x = -1;
  std::int32_t y = -1;
  bool taken = false;
  void Forget() { x = -1; y = -1; taken = false; }
};

class Trail {
 public:
  Trail(const SaverConfig& config, qrx::Random& random, CursorAnchor& anchor)
      : config_(&config), random_(&random), anchor_(&anchor) {}

  // New random directions, head and colour; the whole trail folded onto
  // the head. Also forgets the exit check's cursor anchor.
  void ResetTrail();
  // One frame: the trail follows and drifts, the head moves, walks its
  // colour, turns, and bounces off the margin band.
  void StepTrail();

  const ChainPoint* Chain() const { return chain_; }
  ChainPoint* MutableChain() { return chain_; }
  std::int32_t dirX = 1, dirY = 1, dirRed = 1, dirGreen = 1, dirBlue = 1;

 private:
  const SaverConfig* config_;
  qrx::Random* random_;
  CursorAnchor* anchor_;

  std::int32_t DrawUpTo(std::int32_t n);
  void ShiftTrail();
  void BounceHead();

  ChainPoint chain_[kTrailCapacity] = {};
};

}  // namespace prumya
