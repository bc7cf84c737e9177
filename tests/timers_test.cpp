#include <gtest/gtest.h>

#include <vector>

#include "framework/timers.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_input.h"

namespace {

TEST(Timer, MeasuresAcrossTheTickCountWrap) {
  fake::FakeClock clock;
  clock.ticks = 0xFFFFFFFFu - 4;  // 5 ms before the wrap
  qrx::Timer timer(clock, 8);
  clock.Advance(10);
  EXPECT_EQ(5u, clock.ticks);
  EXPECT_TRUE(timer.HasElapsed(10));
  EXPECT_FALSE(timer.HasElapsed(11));
  EXPECT_TRUE(timer.PeriodPassed());
  EXPECT_EQ(5u, timer.Start());
}

TEST(Timer, PeriodPassesAtSixtySecondsAndRestartsFromTheCheck) {
  fake::FakeClock clock;
  clock.ticks = 1000;
  qrx::Timer minute(clock, 60000);
  clock.Advance(59999);
  EXPECT_FALSE(minute.PeriodPassed());
  EXPECT_EQ(1000u, minute.Start());
  clock.Advance(1);
  clock.step = 3;  // the restart reads the clock again, a little later
  EXPECT_TRUE(minute.PeriodPassed());
  EXPECT_EQ(61003u, minute.Start());
  clock.step = 0;
  clock.Advance(100000);  // late: missed periods are not made up
  EXPECT_TRUE(minute.PeriodPassed());
  EXPECT_FALSE(minute.PeriodPassed());
}

TEST(Timer, ZeroPeriodAndZeroWaitAlwaysPass) {
  fake::FakeClock clock;
  qrx::Timer timer(clock);
  EXPECT_EQ(0u, timer.Period());
  EXPECT_TRUE(timer.HasElapsed(0));
  EXPECT_FALSE(timer.HasElapsed(1));
  clock.Advance(5);
  EXPECT_TRUE(timer.PeriodPassed());
  EXPECT_EQ(5u, timer.Start());
  EXPECT_TRUE(timer.PeriodPassed());
  clock.Advance(7);
  timer.Restart();
  EXPECT_EQ(12u, timer.Start());
}

std::vector<int> Track(const std::vector<bool>& downs) {
  fake::FakeInput input;
  qrx::KeyTracker alt(input, plat::kVkMenu);
  std::vector<int> states;
  for (bool down : downs) {
    input.SetKey(plat::kVkMenu, down);
    alt.Update();
    states.push_back(alt.GetState());
  }
  return states;
}

TEST(KeyTracker, PressedAndReleasedLastOneUpdate) {
  EXPECT_EQ((std::vector<int>{1, 2, 2, 2, 3, 0, 0}),
            Track({true, true, true, true, false, false, false}));
  EXPECT_EQ((std::vector<int>{0, 1, 3, 1}), Track({false, true, false, true}));
}

TEST(KeyTracker, ReadsTheTrackedKeyOnlyOnUpdate) {
  fake::FakeInput input;
  input.SetKey(plat::kVkF1, true);
  qrx::KeyTracker alt(input, plat::kVkMenu);
  EXPECT_EQ(qrx::KeyTracker::KeyUp, alt.GetState());
  alt.Update();
  EXPECT_EQ(qrx::KeyTracker::KeyUp, alt.GetState()) << "another key is down, not this one";
  EXPECT_EQ(1, input.keyReads);
}

TEST(MouseTracker, FillsOnlyThePlacesGiven) {
  fake::FakeInput input;
  input.cursorX = 320;
  input.cursorY = -5;
  qrx::MouseTracker mouse(input);
  std::int32_t x = 0, y = 99;
  mouse.GetPosition(&x, nullptr);
  EXPECT_EQ(320, x);
  EXPECT_EQ(99, y);
  mouse.GetPosition(nullptr, &y);
  EXPECT_EQ(-5, y);
  EXPECT_EQ(2, input.cursorReads);
}

}  // namespace
