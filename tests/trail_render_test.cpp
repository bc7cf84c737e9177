// The trail on a back buffer (the drawn pixels themselves are pinned by the
// frame hashes): the context is given back, a lost back buffer draws
// nothing and breaks nothing, and a chain shorter than two points draws
// nothing.
#include <gtest/gtest.h>

#include "saver/trail_render.h"
#include "tests/display_rig.h"

namespace {

prumya::SaverParams Params(std::int32_t length) {
  prumya::SaverParams p{};
  p[prumya::Length] = length, p[prumya::Thickness] = 1;
  return p;
}

TEST(TrailRender, DrawsOnTheBackBufferAndGivesTheContextBack) {
  prumya::TrigTable t;
  t.BuildTrigTable();
  testrig::DisplayRig rig;
  ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  const prumya::ChainPoint chain[3] = {{50, 50, 0, 0, 255, 255, 255}, {100, 50, 0, 0, 255, 0, 0}, {100, 50, 0, 0, 0, 0, 0}};
  prumya::DrawTrail(rig.screen, chain, Params(1), t);
  EXPECT_EQ(0u, rig.Back(60, 50));
  prumya::DrawTrail(rig.screen, chain, Params(3), t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(50, 50));
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(99, 50));
  EXPECT_EQ(0u, rig.Back(100, 50));
  qrx::Painter again;
  EXPECT_EQ(plat::kOk, rig.screen.GetDC(again));
  rig.screen.ReleaseDC(again);
  rig.device.LoseAllSurfaces();
  prumya::DrawTrail(rig.screen, chain, Params(3), t);
  rig.screen.Present();
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  prumya::DrawTrail(rig.screen, chain, Params(3), t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(60, 50));
}

}  // namespace
