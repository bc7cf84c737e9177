// Timers on the tick count, and the key tracker.
#include <gtest/gtest.h>

#include <vector>

#include "framework/timers.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_input.h"

namespace {

// Across the tick count's wrap: a period passes at its length exactly and
// restarts from the check (read again); a late check does not make up missed
// periods; zero always passes.
TEST(Timer, PeriodsRestartFromTheCheckAcrossTheWrap) {
  fake::FakeClock clock;
  clock.ticks = 0xFFFFFFFFu - 4;  // 5 ms before the wrap
  qrx::Timer minute(clock, 60000);
  clock.Advance(59999);
  EXPECT_FALSE(minute.PeriodPassed());
  EXPECT_TRUE(minute.HasElapsed(59999));
  EXPECT_FALSE(minute.HasElapsed(60000));
  EXPECT_EQ((std::vector<std::uint32_t>{1, 0}), (std::vector<std::uint32_t>{minute.Remaining(60000), minute.Remaining(59999)}));
  clock.Advance(1);
  clock.step = 3;
  EXPECT_TRUE(minute.PeriodPassed());
  EXPECT_EQ(59998u, minute.Start());
  clock.step = 0;
  clock.Advance(100000);
  EXPECT_TRUE(minute.PeriodPassed());
  EXPECT_FALSE(minute.PeriodPassed());
  qrx::Timer zero(clock);
  EXPECT_TRUE(zero.PeriodPassed());
  EXPECT_TRUE(zero.HasElapsed(0));
}

std::vector<int> Track(const std::vector<bool>& downs) {
  fake::FakeInput input;
  input.SetKey(plat::kVkF1, true);  // another key down changes nothing
  qrx::KeyTracker alt(input, plat::kVkMenu);
  std::vector<int> states{alt.GetState()};
  for (bool down : downs) {
    input.SetKey(plat::kVkMenu, down);
    alt.Update();
    states.push_back(alt.GetState());
  }
  EXPECT_EQ(static_cast<int>(downs.size()), input.keyReads);
  return states;
}

TEST(KeyTracker, PressedAndReleasedLastOneUpdate) {
  EXPECT_EQ((std::vector<int>{0, 1, 2, 2, 3, 0, 0}), Track({true, true, true, false, false, false}));
  EXPECT_EQ((std::vector<int>{0, 0, 1, 3, 1}), Track({false, true, false, true}));
}

}  // namespace
