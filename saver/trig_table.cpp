#include "saver/trig_table.h"

#include <cmath>

namespace prumya {

// pi shortened to 3.141592 and the products truncated towards zero: this is
// what makes 256 appear only as Cos(0) and the other extremes +-255.
void TrigTable::BuildTrigTable() {
  for (int i = 0; i < kSteps; ++i) {
    const double angle = i * 3.141592 * 0.0078125;
    sin_[i] = static_cast<std::int32_t>(256.0 * std::sin(angle));
    cos_[i] = static_cast<std::int32_t>(256.0 * std::cos(angle));
  }
}

}  // namespace prumya
