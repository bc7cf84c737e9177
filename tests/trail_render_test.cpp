// The trig table, where each drawn end lies, the fading, and the trail on a
// back buffer.
#include <gtest/gtest.h>

#include <vector>

#include "saver/trail_render.h"
#include "tests/display_rig.h"

namespace {

using prumya::ChainPoint;
using prumya::SaverParams;

prumya::TrigTable Built() {
  prumya::TrigTable t;
  t.BuildTrigTable();
  return t;
}

SaverParams Params(std::int32_t length, std::int32_t thickness, std::int32_t radius, std::int32_t amplitude) {
  SaverParams p{};
  p[prumya::Length] = length, p[prumya::Thickness] = thickness;
  p[prumya::Radius] = radius, p[prumya::WobbleAmplitude] = amplitude;
  return p;
}

TEST(TrigTable, TellingEntriesAndWrap) {
  const prumya::TrigTable t = Built();
  const int rows[][3] = {{0, 0, 256},   {1, 6, 255},      {16, 97, 236},    {32, 181, 181}, {64, 255, 0},
                         {96, 181, -181}, {128, 0, -255}, {160, -181, -181}, {192, -255, 0}, {255, -6, 255}};
  for (const auto& row : rows) {
    EXPECT_EQ(row[1], t.Sin(row[0])) << row[0];
    EXPECT_EQ(row[2], t.Cos(row[0])) << row[0];
  }
  int count256 = 0;
  for (int i = 0; i < 256; ++i) count256 += (t.Sin(i) == 256) + (t.Cos(i) == 256);
  EXPECT_EQ(1, count256);
  EXPECT_EQ(t.Cos(0), t.Cos(256));
  EXPECT_EQ(t.Sin(255), t.Sin(-1));
  EXPECT_EQ(t.Cos(32), t.Cos(-224));
}

// Spin turns the end round the base point; wobble swells the radius (60 at
// wobble 0, 20 at wobble 128); the shift is arithmetic (-10200 >> 8 is -40).
TEST(TrailRender, WorkedExamples) {
  const prumya::TrigTable t = Built();
  struct Case {
    ChainPoint p;
    SaverParams params;
    std::int32_t x, y;
  };
  const Case cases[] = {
      {{500, 300, 32, 0, 0, 0, 0}, Params(64, 1, 40, 0), 528, 328},
      {{500, 300, 128, 0, 0, 0, 0}, Params(64, 1, 40, 0), 460, 300},
      {{500, 300, 0, 0, 0, 0, 0}, Params(64, 1, 40, 20), 560, 300},
      {{500, 300, 0, 128, 0, 0, 0}, Params(64, 1, 40, 20), 520, 300},
      {{0, 0, 128, 0, 0, 0, 0}, Params(64, 1, 40, 0), -40, 0},
      {{17, 23, 77, 5, 0, 0, 0}, Params(64, 1, 0, 0), 17, 23},
  };
  for (const Case& c : cases) {
    const prumya::TrailEnd e = prumya::PlaceEnd(c.p, c.params, t);
    EXPECT_EQ(c.x, e.x) << c.p.spin << " " << c.p.wobble;
    EXPECT_EQ(c.y, e.y) << c.p.spin << " " << c.p.wobble;
  }
  EXPECT_EQ(100u, prumya::FadedColour(ChainPoint{0, 0, 0, 0, 200, 0, 0}, 32, 64));
}

class RecordingDc : public plat::IDeviceContext {
 public:
  std::vector<std::vector<std::int32_t>> lines;  // x1 y1 x2 y2 width colour
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width,
            plat::ColourRef colour) override {
    lines.push_back({x1, y1, x2, y2, width, static_cast<std::int32_t>(colour)});
  }
  plat::ColourRef GetPixel(std::int32_t, std::int32_t) override { return 0; }
  void SetPixel(std::int32_t, std::int32_t, plat::ColourRef) override {}
  void StretchBitmap(std::int32_t, std::int32_t, std::int32_t, std::int32_t, const plat::IBitmap&, std::int32_t,
                     std::int32_t, std::int32_t, std::int32_t) override {}
};

// The oldest segment first, faded most; fewer than two points draw nothing,
// and neither does a painter without a context.
TEST(TrailRender, LengthFourFadesOldestFirst) {
  const prumya::TrigTable t = Built();
  const ChainPoint chain[4] = {{10, 10, 0, 0, 200, 100, 40}, {20, 10, 0, 0, 200, 100, 40},
                               {30, 10, 0, 0, 200, 100, 40}, {40, 10, 0, 0, 200, 100, 40}};
  RecordingDc dc;
  qrx::Painter painter;
  painter.dc = &dc;
  prumya::DrawSegments(painter, chain, Params(4, 8, 0, 0), t);
  const auto colour = [](int r, int g, int b) { return static_cast<std::int32_t>(plat::MakeColour(r, g, b)); };
  EXPECT_EQ((std::vector<std::vector<std::int32_t>>{{30, 10, 40, 10, 8, colour(100, 50, 20)},
                                                    {20, 10, 30, 10, 8, colour(150, 75, 30)},
                                                    {10, 10, 20, 10, 8, colour(200, 100, 40)}}),
            dc.lines);
  dc.lines.clear();
  prumya::DrawSegments(painter, chain, Params(1, 8, 0, 0), t);
  EXPECT_TRUE(dc.lines.empty());
  qrx::Painter none;
  prumya::DrawSegments(none, chain, Params(4, 8, 0, 0), t);
}

// On the back buffer, giving the frame's context back; a lost back buffer
// yields no context: nothing is drawn, nothing breaks.
TEST(TrailRender, DrawsOnTheBackBufferAndGivesTheContextBack) {
  const prumya::TrigTable t = Built();
  testrig::DisplayRig rig;
  ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  const ChainPoint chain[3] = {{50, 50, 0, 0, 255, 255, 255}, {100, 50, 0, 0, 255, 0, 0}, {100, 50, 0, 0, 0, 0, 0}};
  prumya::DrawTrail(rig.screen, chain, Params(3, 1, 0, 0), t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(50, 50));
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(99, 50));
  EXPECT_EQ(0u, rig.Back(100, 50));
  qrx::Painter again;
  EXPECT_EQ(plat::kOk, rig.screen.GetDC(again));
  rig.screen.ReleaseDC(again);
  rig.device.LoseAllSurfaces();
  prumya::DrawTrail(rig.screen, chain, Params(3, 1, 0, 0), t);
  rig.screen.Present();
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  prumya::DrawTrail(rig.screen, chain, Params(3, 1, 0, 0), t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(60, 50));
}

}  // namespace
