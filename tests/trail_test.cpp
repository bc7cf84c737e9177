// The trail model: the start, one step, the bounce and the colour band.
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
  void ExpectPoint(const ChainPoint& p, std::vector<int> xySpinRed) {
    EXPECT_EQ(xySpinRed, (std::vector<int>{p.x, p.y, p.spin, p.red}));
  }

  prumya::CursorAnchor anchor;
  prumya::Trail trail{config, rng, anchor};
};

TEST_F(TrailTest, WorkedExampleStep) {
  Set({{prumya::Margin, 64}, {prumya::HeadMove, 2}, {prumya::TrailMove, 1}, {prumya::TrailSpin, 2},
       {prumya::HeadSpin, 20}, {prumya::ColourShift, 2}, {prumya::HeadWobble, 5}, {prumya::TrailWobble, 3},
       {prumya::Length, 3}});
  chain()[0] = {100, 65, 250, 254, 129, 200, 200};
  chain()[1] = {98, 66, 40, 0, 130, 200, 200};
  trail.dirX = 1, trail.dirY = -1, trail.dirRed = -1, trail.dirGreen = 1, trail.dirBlue = 1;
  rng.Seed(1);  // the draws are 41, 18467, 6334: red 2, green 2, blue 1
  trail.StepTrail();
  ExpectPoint(chain()[2], {97, 67, 42, 130});
  ExpectPoint(chain()[1], {99, 66, 252, 129});
  EXPECT_EQ(1, chain()[1].wobble);  // 254 + 3, modulo 256
  ExpectPoint(chain()[0], {102, 67, 14, 129});  // y 63 is inside the margin: back by two steps
  EXPECT_EQ(3, chain()[0].wobble);
  EXPECT_EQ(202, chain()[0].green);
  EXPECT_EQ(201, chain()[0].blue);
  EXPECT_EQ((std::vector<int>{1, 1, 1}), (std::vector<int>{trail.dirX, trail.dirY, trail.dirRed}));
}

TEST_F(TrailTest, ResetStartsInsideTheMarginAndFoldsTheTrailOntoTheHead) {
  Set({{prumya::Length, 4}, {prumya::Margin, 50}, {prumya::HeadMove, 3}});
  for (int i = 0; i < 200; ++i) {
    anchor = {10, 20, true};
    chain()[4] = {-5, -5, -5, -5, -5, -5, -5};
    trail.ResetTrail();
    for (int dir : {trail.dirX, trail.dirY, trail.dirRed, trail.dirGreen, trail.dirBlue})
      ASSERT_TRUE(dir == 1 || dir == -1);
    const ChainPoint& head = chain()[0];
    ASSERT_TRUE(head.x >= 50 && head.x < 750 && head.y >= 50 && head.y < 550) << head.x << "," << head.y;
    EXPECT_EQ(0, head.spin + head.wobble);
    for (int c : {head.red, head.green, head.blue}) ASSERT_TRUE(c >= 136 && c <= 248) << c;
    for (int k = 1; k < 4; ++k) ASSERT_EQ(0, std::memcmp(&head, &chain()[k], sizeof(head)));
    EXPECT_EQ(-5, chain()[4].x);
    EXPECT_FALSE(anchor.taken);
  }
}

TEST_F(TrailTest, StillHeadSitsAtTheCentreWhileTheTrailDrifts) {
  Set({{prumya::Length, 8}, {prumya::HeadMove, 0}, {prumya::TrailMove, 1}});
  trail.ResetTrail();
  for (int i = 0; i < 100; ++i) trail.StepTrail();
  EXPECT_EQ(400, chain()[0].x);
  EXPECT_EQ(300, chain()[0].y);
  EXPECT_EQ(400 - 7 * trail.dirX, chain()[7].x);
  EXPECT_EQ(300 - 7 * trail.dirY, chain()[7].y);
}

// Reaching the margin's edge exactly keeps the direction; beyond it, the
// head turns and goes back by two steps.
TEST_F(TrailTest, BounceFiresOnlyOutsideTheBand) {
  Set({{prumya::Length, 4}, {prumya::Margin, 64}, {prumya::HeadMove, 4}, {prumya::ColourShift, 0}});
  chain()[0] = {68, 400, 0, 0, 200, 200, 200};
  trail.dirX = -1, trail.dirY = 1;
  trail.StepTrail();
  EXPECT_EQ(64, chain()[0].x);
  EXPECT_EQ(-1, trail.dirX);
  chain()[0] = {732, 532, 0, 0, 200, 200, 200};  // reaches 800 - 64 and 600 - 64
  trail.dirX = 1, trail.dirY = 1;
  trail.StepTrail();
  EXPECT_EQ((std::vector<int>{728, 528, -1, -1}), (std::vector<int>{chain()[0].x, chain()[0].y, trail.dirX, trail.dirY}));
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

TEST_F(TrailTest, ColourMirrorsAtTheEndsOfItsBand) {
  Set({{prumya::Length, 4}, {prumya::ColourShift, 1}, {prumya::HeadMove, 0}});
  chain()[0] = {400, 300, 0, 0, 255, 128, 128};
  trail.dirRed = 1, trail.dirGreen = -1, trail.dirBlue = -1;
  rng.Seed(1);  // draws 41, 18467, 6334: red 1, green 1, blue 0
  trail.StepTrail();
  EXPECT_EQ((std::vector<int>{254, -1, 129, 1, 128, -1}),
            (std::vector<int>{chain()[0].red, trail.dirRed, chain()[0].green, trail.dirGreen, chain()[0].blue,
                              trail.dirBlue}));
}

TEST_F(TrailTest, OperationsStayWithinTheChainForAnyLength) {
  for (int length : {-3, 0, 1, 2, 512, 600}) {
    Set({{prumya::Length, length}});
    trail.ResetTrail();
    if (length >= 512) EXPECT_EQ(0, std::memcmp(&chain()[0], &chain()[511], sizeof(ChainPoint))) << length;
    chain()[1].spin = 77;
    trail.StepTrail();
    EXPECT_EQ(length < 2 ? 77 : 2, chain()[1].spin) << length;  // the head's 0 plus one TrailSpin
  }
}

}  // namespace
