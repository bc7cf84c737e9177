// Presents at most once per display refresh on paths with no vertical blank
// to wait for: due times lie on a grid of the refresh interval (60 Hz when
// the display reports no rate), so the average rate is the display's own.
// A present a whole interval late starts the grid afresh: a stall is not
// made up with a burst.
#pragma once
#include <cstdint>

#include "platform/system.h"

namespace qrx {

class RefreshPacer {
 public:
  explicit RefreshPacer(plat::IClock& clock) : clock_(&clock) {}
  void SetRate(std::int32_t hz);
  // Milliseconds until the next present is due; 0 when it may go now.
  std::uint32_t MsUntilDue() const;
  void Presented();

 private:
  std::uint32_t Due() const;

  plat::IClock* clock_;
  std::int32_t hz_ = 60;
  bool started_ = false;
  std::uint32_t anchor_ = 0;
  std::uint64_t frames_ = 0;  // presents since the anchor
};

}  // namespace qrx
