#include "tools/bench/frame_bench.h"

#include "tools/bench/bench_clock.h"
#include "tools/bench/heap_counter.h"

namespace bench {
namespace {

constexpr int kWarmUpFrames = 20;

}  // namespace

FrameBench::FrameBench(HeadlessSaver& saver, std::int32_t frames)
    : saver_(&saver), bound_(*saver.BackBuffer(), *saver.Primary()), frames_(frames), samples_(frames) {}

bool FrameBench::Run() {
  BoundTimes times;
  for (int i = 0; i < kWarmUpFrames; ++i) {
    saver_->StepTrail();
    saver_->Clear();
    saver_->DrawTrail();
    saver_->DrawOverlays();
    saver_->Present();
    if (!bound_.Measure(times)) return false;
  }
  const std::uint64_t before = HeapAllocations();
  for (std::int32_t i = 0; i < frames_; ++i) {
    TimedFrame();
    if (!bound_.Measure(times)) return false;
    samples_.boundClear.Add(times.clearNs);
    samples_.boundCopy.Add(times.copyNs);
    samples_.bound.Add(times.clearNs + times.copyNs);
  }
  allocations_ = HeapAllocations() - before;
  return true;
}

void FrameBench::TimedFrame() {
  const std::int64_t t0 = NowNs();
  saver_->StepTrail();
  const std::int64_t t1 = NowNs();
  saver_->Clear();
  const std::int64_t t2 = NowNs();
  saver_->DrawTrail();
  const std::int64_t t3 = NowNs();
  saver_->DrawOverlays();
  const std::int64_t t4 = NowNs();
  saver_->Present();
  const std::int64_t t5 = NowNs();
  samples_.step.Add(t1 - t0);
  samples_.clear.Add(t2 - t1);
  samples_.trail.Add(t3 - t2);
  samples_.overlays.Add(t4 - t3);
  samples_.present.Add(t5 - t4);
  samples_.frame.Add(t5 - t0);
}

}  // namespace bench
