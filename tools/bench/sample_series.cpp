#include "tools/bench/sample_series.h"

#include <algorithm>
#include <cmath>

namespace bench {

double SampleSeries::PercentileMs(double p) const {
  if (samples_.empty()) return 0.0;
  std::vector<std::int64_t> sorted(samples_);
  std::sort(sorted.begin(), sorted.end());
  const double rank = std::ceil(p / 100.0 * static_cast<double>(sorted.size()));
  const std::size_t index = rank < 1.0 ? 0 : static_cast<std::size_t>(rank) - 1;
  return static_cast<double>(sorted[std::min(index, sorted.size() - 1)]) / 1e6;
}

double SampleSeries::MeanMs() const {
  if (samples_.empty()) return 0.0;
  double sum = 0.0;
  for (std::int64_t s : samples_) sum += static_cast<double>(s);
  return sum / static_cast<double>(samples_.size()) / 1e6;
}

}  // namespace bench
