#include <algorithm>
#include <cstring>

#include "tests/config_fixture.h"
#include "saver/trail.h"

using prumya::ChainPoint;
using prumya_test::ConfigTest;

namespace {

class TrailTest : public ConfigTest {
 protected:
  TrailTest() : trail(config, rng, anchor) { config.FitScreen(800, 600); }
  void SetParams(std::initializer_list<std::pair<int, int>> values) {
    for (const auto& v : values) config.params[v.first] = v.second;
  }
  ChainPoint* chain() { return trail.MutableChain(); }

  prumya::CursorAnchor anchor;
  prumya::Trail trail;
};

void ExpectPoint(const ChainPoint& p, int x, int y, int spin, int red) {
  EXPECT_EQ(x, p.x);
  EXPECT_EQ(y, p.y);
  EXPECT_EQ(spin, p.spin);
  EXPECT_EQ(red, p.red);
}

}  // namespace

TEST_F(TrailTest, WorkedExampleStep) {
  SetParams({{prumya::Margin, 64}, {prumya::HeadMove, 2}, {prumya::TrailMove, 1},
             {prumya::TrailSpin, 2}, {prumya::HeadSpin, 20}, {prumya::ColourShift, 2},
             {prumya::HeadWobble, 0}, {prumya::TrailWobble, 0}, {prumya::Length, 3}});
  chain()[0] = {100, 65, 250, 0, 129, 200, 200};
  chain()[1] = {98, 66, 40, 0, 130, 200, 200};
  trail.dirX = 1, trail.dirY = -1, trail.dirRed = -1, trail.dirGreen = 1, trail.dirBlue = 1;
  rng.Seed(1);  // the red draw is 41 % 3 = 2
  trail.StepTrail();
  ExpectPoint(chain()[2], 97, 67, 42, 130);
  ExpectPoint(chain()[1], 99, 66, 252, 129);
  ExpectPoint(chain()[0], 102, 67, 14, 129);
  EXPECT_EQ(200 + 18467 % 3, chain()[0].green);
  EXPECT_EQ(200 + 6334 % 3, chain()[0].blue);
  EXPECT_EQ(1, trail.dirX);
  EXPECT_EQ(1, trail.dirY);
  EXPECT_EQ(1, trail.dirRed);
}

TEST_F(TrailTest, ResetDrawsInOrderAndFoldsTheTrailOntoTheHead) {
  SetParams({{prumya::Length, 4}, {prumya::Margin, 50}, {prumya::HeadMove, 3}});
  anchor = {10, 20, true};
  chain()[4] = {-5, -5, -5, -5, -5, -5, -5};
  qrx::Random mirror = rng;
  trail.ResetTrail();
  for (int* dir : {&trail.dirX, &trail.dirY, &trail.dirRed, &trail.dirGreen, &trail.dirBlue})
    EXPECT_EQ(mirror.Between(-1, 1, false), *dir);
  const ChainPoint& head = chain()[0];
  EXPECT_EQ(mirror.UpTo(800 - 100 - 1) + 50, head.x);
  EXPECT_EQ(mirror.UpTo(600 - 100 - 1) + 50, head.y);
  EXPECT_EQ(0, head.spin + head.wobble);
  for (int c : {head.red, head.green, head.blue}) EXPECT_EQ(136 + mirror.UpTo(112), c);
  EXPECT_EQ(mirror.Next(), rng.Next());  // no further draw
  for (int i = 1; i < 4; ++i) EXPECT_EQ(0, std::memcmp(&head, &chain()[i], sizeof(head)));
  EXPECT_EQ(-5, chain()[4].x);
  EXPECT_FALSE(anchor.taken);
  EXPECT_EQ(-1, anchor.x);
}

TEST_F(TrailTest, StillHeadSitsAtTheCentreWhileTheTrailDrifts) {
  SetParams({{prumya::Length, 8}, {prumya::HeadMove, 0}, {prumya::TrailMove, 1}});
  trail.ResetTrail();
  ExpectPoint(chain()[0], 400, 300, 0, chain()[0].red);
  for (int i = 0; i < 100; ++i) trail.StepTrail();
  EXPECT_EQ(400, chain()[0].x);
  EXPECT_EQ(300, chain()[0].y);
  EXPECT_EQ(400 - 7 * trail.dirX, chain()[7].x);
  EXPECT_EQ(300 - 7 * trail.dirY, chain()[7].y);
}

TEST_F(TrailTest, BounceFiresOnlyOutsideTheBand) {
  SetParams({{prumya::Length, 4}, {prumya::Margin, 64}, {prumya::HeadMove, 4},
             {prumya::ColourShift, 0}});
  chain()[0] = {68, 400, 0, 0, 200, 200, 200};  // moves to exactly Margin: stays
  trail.dirX = -1, trail.dirY = 1;
  trail.StepTrail();
  EXPECT_EQ(64, chain()[0].x);
  EXPECT_EQ(-1, trail.dirX);
  chain()[0] = {732, 532, 0, 0, 200, 200, 200};  // reaches 800 - 64 and 600 - 64
  trail.dirX = 1, trail.dirY = 1;
  trail.StepTrail();
  EXPECT_EQ(736 - 8, chain()[0].x);
  EXPECT_EQ(536 - 8, chain()[0].y);
  EXPECT_EQ(-1, trail.dirX);
  EXPECT_EQ(-1, trail.dirY);
}

// A portrait screen narrower than twice a height-fitted margin: the margin
// fits the width, so the head crosses from side to side.
TEST_F(TrailTest, NarrowScreenKeepsTheHeadMoving) {
  config.FitScreen(300, 1024);
  EXPECT_EQ(256, config.ranges[prumya::Radius].maximum);
  SetParams({{prumya::Length, 4}, {prumya::Margin, config.Clamp(prumya::Margin, 256)},
             {prumya::HeadMove, 16}});
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
  SetParams({{prumya::Length, 4}, {prumya::ColourShift, 1}, {prumya::HeadMove, 0}});
  chain()[0] = {400, 300, 0, 0, 255, 128, 128};
  trail.dirRed = 1, trail.dirGreen = -1, trail.dirBlue = -1;
  rng.Seed(1);  // draws 41, 18467, 6334: red 1, green 1, blue 0
  trail.StepTrail();
  EXPECT_EQ(254, chain()[0].red);
  EXPECT_EQ(-1, trail.dirRed);
  EXPECT_EQ(129, chain()[0].green);  // 127 reflected
  EXPECT_EQ(1, trail.dirGreen);
  EXPECT_EQ(128, chain()[0].blue);
  EXPECT_EQ(-1, trail.dirBlue);
}

TEST_F(TrailTest, OperationsStayWithinTheChainForAnyLength) {
  for (int length : {0, 1, 2, 512, 600}) {
    SetParams({{prumya::Length, length}});
    trail.ResetTrail();
    if (length >= 512) {
      EXPECT_EQ(0, std::memcmp(&chain()[0], &chain()[511], sizeof(ChainPoint))) << length;
    }
    chain()[1].spin = 77;
    trail.StepTrail();
    if (length < 2) {
      EXPECT_EQ(77, chain()[1].spin) << length;
    } else if (length == 2) {
      EXPECT_EQ(2, chain()[1].spin);  // the head's 0 plus one TrailSpin
    }
  }
}
