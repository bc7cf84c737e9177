// The timed run: each frame stage by stage, each followed by one measure of
// the bare bound, so both see the same machine load.
#pragma once
#include <cstdint>

#include "tools/bench/bare_bound.h"
#include "tools/bench/headless_saver.h"
#include "tools/bench/sample_series.h"

namespace bench {

struct FrameSamples {
  explicit FrameSamples(std::int32_t n)
      : step(n), clear(n), trail(n), overlays(n), present(n), frame(n),
        boundClear(n), boundCopy(n), bound(n) {}
  SampleSeries step, clear, trail, overlays, present, frame;
  SampleSeries boundClear, boundCopy, bound;
};

class FrameBench {
 public:
  FrameBench(HeadlessSaver& saver, std::int32_t frames);
  // Untimed frames first (caches, first touches of the pages), then the
  // timed ones; false when the bound could not lock the surfaces.
  bool Run();
  const FrameSamples& Samples() const { return samples_; }
  std::uint64_t AllocationsInTimedFrames() const { return allocations_; }

 private:
  void TimedFrame();

  HeadlessSaver* saver_;
  BareBound bound_;
  std::int32_t frames_;
  FrameSamples samples_;
  std::uint64_t allocations_ = 0;
};

}  // namespace bench
