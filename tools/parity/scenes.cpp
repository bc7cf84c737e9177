#include "tools/parity/scenes.h"

#include <cstdio>

#include "framework/painter.h"
#include "framework/random.h"
#include "saver/trail_render.h"

namespace parity {
namespace {

plat::ColourRef Colour(qrx::Random& random) {
  return plat::MakeColour(128 + random.UpTo(127), 128 + random.UpTo(127), 128 + random.UpTo(127));
}

// Spokes to every point of a square ring: all octants, the exact diagonals
// and the half-way ties (dx = 2 dy) included.
void Fan(plat::IDeviceContext& dc, int cx, int cy, int reach, int step, int width, plat::ColourRef colour) {
  for (int t = -reach; t < reach; t += step) {
    dc.Line(cx, cy, cx + t, cy - reach, width, colour);
    dc.Line(cx, cy, cx + reach, cy + t, width, colour);
    dc.Line(cx, cy, cx - t, cy + reach, width, colour);
    dc.Line(cx, cy, cx - reach, cy - t, width, colour);
  }
}

void RandomSegments(plat::IDeviceContext& dc, qrx::Random& random, int count, int minWidth, int maxWidth) {
  for (int i = 0; i < count; ++i) {
    const int x1 = random.UpTo(kWidth - 1), y1 = random.UpTo(kHeight - 1);
    const int x2 = x1 + random.Between(-60, 60, true), y2 = y1 + random.Between(-60, 60, true);
    dc.Line(x1, y1, x2, y2, random.Between(minWidth, maxWidth, true), Colour(random));
  }
}

void Thin(plat::IDeviceContext& dc) {
  qrx::Random random;
  Fan(dc, 160, 120, 100, 10, 1, 0xFFFFFF);
  Fan(dc, 480, 120, 64, 4, 1, 0x80FF80);
  RandomSegments(dc, random, 150, 1, 1);
}

void Wide(plat::IDeviceContext& dc) {
  qrx::Random random;
  random.Seed(7);
  for (int w = 2; w <= 8; ++w) Fan(dc, 60 + 80 * (w - 2), 80, 36, 24, w, Colour(random));
  RandomSegments(dc, random, 120, 2, 8);
}

void Zero(plat::IDeviceContext& dc) {
  for (int w = 1; w <= 8; ++w) {
    for (int k = 0; k < 6; ++k) dc.Line(40 + 70 * (w - 1), 40 + 60 * k, 40 + 70 * (w - 1), 40 + 60 * k, w, 0xFFFFFF);
  }
}

void Edges(plat::IDeviceContext& dc) {
  qrx::Random random;
  random.Seed(11);
  for (int i = 0; i < 80; ++i) {
    const int x1 = random.Between(-400, kWidth + 400, true), y1 = random.Between(-400, kHeight + 400, true);
    const int x2 = random.Between(-400, kWidth + 400, true), y2 = random.Between(-400, kHeight + 400, true);
    dc.Line(x1, y1, x2, y2, 1 + i % 8, Colour(random));
  }
}

// Chains drawn exactly as the saver draws its trail: spinning, wobbling ends
// around a wandering base line, fading towards the tail.
void Trail(plat::IDeviceContext& dc) {
  prumya::TrigTable trig;
  trig.BuildTrigTable();
  qrx::Random random;
  random.Seed(3);
  prumya::ChainPoint chain[96];
  qrx::Painter painter;
  painter.dc = &dc;
  const int thickness[] = {1, 3, 6, 8};
  for (int t = 0; t < 4; ++t) {
    int x = 80 + 150 * t, y = 60 + random.UpTo(80);
    for (int i = 0; i < 96; ++i) {
      x += random.Between(-3, 3, true), y += 4;
      chain[i] = prumya::ChainPoint{x, y, 7 * i, 5 * i, 255 - i, 128 + i, 200};
    }
    prumya::SaverParams params{};
    params[prumya::Length] = 96;
    params[prumya::Thickness] = thickness[t];
    params[prumya::Radius] = 30;
    params[prumya::WobbleAmplitude] = 10;
    prumya::DrawSegments(painter, chain, params, trig);
  }
}

// One line per text line: x1 y1 x2 y2 width colour (COLORREF, hexadecimal).
bool FromFile(const std::string& path, plat::IDeviceContext& dc) {
  std::FILE* in = std::fopen(path.c_str(), "r");
  if (in == nullptr) return false;
  int x1, y1, x2, y2, w;
  unsigned colour;
  while (std::fscanf(in, "%d %d %d %d %d %x", &x1, &y1, &x2, &y2, &w, &colour) == 6) {
    dc.Line(x1, y1, x2, y2, w, colour);
  }
  std::fclose(in);
  return true;
}

}  // namespace

bool DrawScene(const std::string& name, plat::IDeviceContext& dc) {
  if (name == "thin") Thin(dc);
  else if (name == "wide") Wide(dc);
  else if (name == "zero") Zero(dc);
  else if (name == "edges") Edges(dc);
  else if (name == "trail") Trail(dc);
  else if (name.rfind("list:", 0) == 0) return FromFile(name.substr(5), dc);
  else return false;
  return true;
}

}  // namespace parity
