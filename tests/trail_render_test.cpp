// The trail on a back buffer (the drawn pixels themselves are pinned by the
// frame hashes): a lost back buffer draws nothing and breaks nothing, and
// the context is given back.
#include <gtest/gtest.h>

#include "saver/trail_render.h"
#include "tests/display_rig.h"

namespace {

TEST(TrailRender, SurvivesALostBackBufferAndGivesTheContextBack) {
  prumya::TrigTable t;
  t.BuildTrigTable();
  testrig::DisplayRig rig;
  ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  prumya::SaverParams params{};
  params[prumya::Length] = 2, params[prumya::Thickness] = 1;
  const prumya::ChainPoint chain[2] = {{50, 50, 0, 0, 255, 255, 255}, {100, 50, 0, 0, 255, 0, 0}};
  rig.device.LoseAllSurfaces();
  prumya::DrawTrail(rig.screen, chain, params, t);
  rig.screen.Present();
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  prumya::DrawTrail(rig.screen, chain, params, t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(60, 50));
  qrx::Painter again;
  EXPECT_EQ(plat::kOk, rig.screen.GetDC(again));
  rig.screen.ReleaseDC(again);
}

}  // namespace
