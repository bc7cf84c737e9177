#include <gtest/gtest.h>

#include <vector>

#include "saver/trail_render.h"
#include "tests/display_rig.h"

namespace {

using prumya::ChainPoint;
using prumya::SaverParams;
using prumya::TrigTable;

TrigTable Built() {
  TrigTable t;
  t.BuildTrigTable();
  return t;
}

SaverParams Params(std::int32_t length, std::int32_t thickness, std::int32_t radius, std::int32_t amplitude) {
  SaverParams p{};
  p[prumya::Length] = length;
  p[prumya::Thickness] = thickness;
  p[prumya::Radius] = radius;
  p[prumya::WobbleAmplitude] = amplitude;
  return p;
}

TEST(TrigTable, TellingEntriesAndWrap) {
  const TrigTable t = Built();
  const int rows[][3] = {{0, 0, 256},     {1, 6, 255},      {16, 97, 236},    {32, 181, 181},
                         {64, 255, 0},    {96, 181, -181},  {128, 0, -255},   {160, -181, -181},
                         {192, -255, 0},  {255, -6, 255}};
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

TEST(TrailRender, WorkedExamples) {
  const TrigTable t = Built();
  ChainPoint p{500, 300, 32, 0, 0, 0, 0};
  prumya::TrailEnd e = prumya::PlaceEnd(p, Params(64, 1, 40, 0), t);
  EXPECT_EQ(528, e.x);
  EXPECT_EQ(328, e.y);
  p.spin = 128;
  e = prumya::PlaceEnd(p, Params(64, 1, 40, 0), t);
  EXPECT_EQ(460, e.x);
  EXPECT_EQ(300, e.y);
  // Wobble swells the radius: 60 at wobble 0, 20 at wobble 128 (spin 0 puts it on x).
  p.spin = 0;
  EXPECT_EQ(560, prumya::PlaceEnd(p, Params(64, 1, 40, 20), t).x);
  p.wobble = 128;
  EXPECT_EQ(520, prumya::PlaceEnd(p, Params(64, 1, 40, 20), t).x);
  // Arithmetic shift: -10200 >> 8 is -40, not -39.
  p = ChainPoint{0, 0, 0, 0, 0, 0, 0};
  p.spin = 128;
  EXPECT_EQ(-40, prumya::PlaceEnd(p, Params(64, 1, 40, 0), t).x);  // 40 * -255 = -10200
  // Radius 0 and no wobble: the end sits on the base point whatever the spin.
  p = ChainPoint{17, 23, 77, 5, 0, 0, 0};
  e = prumya::PlaceEnd(p, Params(64, 1, 0, 0), t);
  EXPECT_EQ(17, e.x);
  EXPECT_EQ(23, e.y);
  const ChainPoint red{0, 0, 0, 0, 200, 0, 0};
  EXPECT_EQ(100u, prumya::FadedColour(red, 32, 64));
}

struct LineCall {
  std::int32_t x1, y1, x2, y2, width;
  plat::ColourRef colour;
};

class RecordingDc : public plat::IDeviceContext {
 public:
  std::vector<LineCall> lines;
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width,
            plat::ColourRef colour) override {
    lines.push_back({x1, y1, x2, y2, width, colour});
  }
  plat::ColourRef GetPixel(std::int32_t, std::int32_t) override { return 0; }
  void SetPixel(std::int32_t, std::int32_t, plat::ColourRef) override {}
  void StretchBitmap(std::int32_t, std::int32_t, std::int32_t, std::int32_t, const plat::IBitmap&,
                     std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
};

TEST(TrailRender, LengthFourFadesOldestFirst) {
  const TrigTable t = Built();
  const ChainPoint chain[4] = {{10, 10, 0, 0, 200, 100, 40},
                               {20, 10, 0, 0, 200, 100, 40},
                               {30, 10, 0, 0, 200, 100, 40},
                               {40, 10, 0, 0, 200, 100, 40}};
  RecordingDc dc;
  qrx::Painter painter;
  painter.dc = &dc;
  prumya::DrawSegments(painter, chain, Params(4, 8, 0, 0), t);
  ASSERT_EQ(3u, dc.lines.size());
  const std::int32_t froms[] = {30, 20, 10};
  const plat::ColourRef colours[] = {plat::MakeColour(100, 50, 20), plat::MakeColour(150, 75, 30),
                                     plat::MakeColour(200, 100, 40)};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(froms[i], dc.lines[i].x1);
    EXPECT_EQ(froms[i] + 10, dc.lines[i].x2);
    EXPECT_EQ(8, dc.lines[i].width);
    EXPECT_EQ(colours[i], dc.lines[i].colour);
  }
  // Fewer than two points: no segment; a painter without a context draws nothing.
  dc.lines.clear();
  prumya::DrawSegments(painter, chain, Params(1, 8, 0, 0), t);
  EXPECT_TRUE(dc.lines.empty());
  qrx::Painter none;
  prumya::DrawSegments(none, chain, Params(4, 8, 0, 0), t);
}

TEST(TrailRender, DrawsOnTheBackBufferAndGivesTheContextBack) {
  const TrigTable t = Built();
  testrig::DisplayRig rig;
  ASSERT_TRUE(rig.screen.InitFullColour(rig.width, rig.height));
  const ChainPoint chain[3] = {{50, 50, 0, 0, 255, 255, 255}, {100, 50, 0, 0, 255, 0, 0}, {100, 50, 0, 0, 0, 0, 0}};
  prumya::DrawTrail(rig.screen, chain, Params(3, 1, 0, 0), t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(50, 50));
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(99, 50));
  EXPECT_EQ(0u, rig.Back(100, 50));  // one-pixel lines stop short of the end point
  qrx::Painter again;
  EXPECT_EQ(plat::kOk, rig.screen.GetDC(again));  // the frame's context was given back
  rig.screen.ReleaseDC(again);
  // A lost back buffer yields no context: nothing is drawn, nothing breaks.
  rig.device.LoseAllSurfaces();
  prumya::DrawTrail(rig.screen, chain, Params(3, 1, 0, 0), t);
  rig.screen.Present();
  ASSERT_EQ(plat::kOk, rig.screen.Clear());
  prumya::DrawTrail(rig.screen, chain, Params(3, 1, 0, 0), t);
  EXPECT_EQ(rig.Native(0xFFFFFF), rig.Back(60, 50));
}

}  // namespace
