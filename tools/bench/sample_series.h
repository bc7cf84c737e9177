// Timings of one stage over the timed frames: room for every frame is taken
// before the run, so recording never allocates.
#pragma once
#include <cstdint>
#include <vector>

namespace bench {

class SampleSeries {
 public:
  explicit SampleSeries(std::int32_t capacity) { samples_.reserve(static_cast<std::size_t>(capacity)); }
  void Add(std::int64_t nanoseconds) { samples_.push_back(nanoseconds); }

  // Nearest-rank percentile (0 < p <= 100) in milliseconds; 0 when empty.
  double PercentileMs(double p) const;
  double MedianMs() const { return PercentileMs(50.0); }
  double MeanMs() const;
  std::size_t Count() const { return samples_.size(); }

 private:
  std::vector<std::int64_t> samples_;
};

}  // namespace bench
