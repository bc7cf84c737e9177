// The trail model where the frame hashes do not reach: the start, a still
// head and narrow screens.
#include <algorithm>
#include <cstring>

#include "saver/trail.h"
#include "tests/config_fixture.h"

using prumya::ChainPoint;

namespace {

class TrailTest : public prumya_test::ConfigTest {
 protected:
  TrailTest() { config.FitScreen(800, 600); }
  void Set(std::initializer_list<std::pair<int, int>> values) {
    for (const auto& v : values) config.params[v.first] = v.second;
  }
  ChainPoint* chain() { return trail.MutableChain(); }

  prumya::CursorAnchor anchor;
  prumya::Trail trail{config, rng, anchor};
};

TEST_F(TrailTest, ResetStartsInsideTheMarginOrAtTheCentreAndFoldsTheTrailOntoTheHead) {
  Set({{prumya::Length, 4}, {prumya::Margin, 50}, {prumya::HeadMove, 3}});
  for (int i = 0; i < 200; ++i) {
    anchor = {10, 20, true};
    chain()[4] = {-5, -5, -5, -5, -5, -5, -5};
    chain()[0].wobble = 9;
    trail.ResetTrail();
    const ChainPoint& head = chain()[0];
    ASSERT_TRUE(head.x >= 50 && head.x < 750 && head.y >= 50 && head.y < 550) << head.x << "," << head.y;
    EXPECT_EQ(0, head.spin | head.wobble);
    for (int c : {head.red, head.green, head.blue}) ASSERT_TRUE(c >= 136 && c <= 248) << c;
    for (int k = 1; k < 4; ++k) ASSERT_EQ(0, std::memcmp(&head, &chain()[k], sizeof(head)));
    EXPECT_EQ(-5, chain()[4].x);
    EXPECT_FALSE(anchor.taken);
  }
  // A still head starts and stays at the centre while the trail drifts.
  Set({{prumya::Length, 8}, {prumya::HeadMove, 0}, {prumya::TrailMove, 1}});
  trail.ResetTrail();
  for (int i = 0; i < 100; ++i) trail.StepTrail();
  EXPECT_EQ((std::vector<int>{400, 300, 400 - 7 * trail.dirX, 300 - 7 * trail.dirY}),
            (std::vector<int>{chain()[0].x, chain()[0].y, chain()[7].x, chain()[7].y}));
}

// A portrait screen narrower than twice a height-fitted margin: the margin
// fits the width, so the head crosses from side to side.
TEST_F(TrailTest, NarrowScreenKeepsTheHeadMoving) {
  config.FitScreen(300, 1024);
  Set({{prumya::Length, 4}, {prumya::Margin, config.Clamp(prumya::Margin, 256)}, {prumya::HeadMove, 16}});
  EXPECT_EQ(75, config.params[prumya::Margin]);
  trail.ResetTrail();
  int lowest = 300, highest = 0;
  for (int frame = 0; frame < 200; ++frame) {
    const int before = chain()[0].x;
    trail.StepTrail();
    ASSERT_NE(before, chain()[0].x) << "frame " << frame;
    lowest = std::min(lowest, chain()[0].x);
    highest = std::max(highest, chain()[0].x);
  }
  EXPECT_LT(lowest, 75 + 16);
  EXPECT_GE(highest, 300 - 75 - 16);
}

}  // namespace
