#include "saver/trail_render.h"

#include "framework/screen.h"

namespace prumya {

TrailEnd PlaceEnd(const ChainPoint& point, const SaverParams& params, const TrigTable& trig) {
  // Products are signed 32-bit and brought back with an arithmetic shift
  // (rounding towards minus infinity), not a division.
  const std::int32_t r = params[Radius] + ((trig.Cos(point.wobble) * params[WobbleAmplitude]) >> 8);
  return TrailEnd{point.x + ((r * trig.Cos(point.spin)) >> 8), point.y + ((r * trig.Sin(point.spin)) >> 8)};
}

plat::ColourRef FadedColour(const ChainPoint& point, std::int32_t j, std::int32_t length) {
  auto fade = [&](std::int32_t c) { return (c * (length - j) / length) & 0xFF; };
  return static_cast<plat::ColourRef>(fade(point.red) | (fade(point.green) << 8) | (fade(point.blue) << 16));
}

void DrawSegments(qrx::Painter& painter, const ChainPoint* chain, const SaverParams& params,
                  const TrigTable& trig) {
  // Never past the chain, whatever Length says.
  const std::int32_t length = params[Length] > kTrailCapacity ? kTrailCapacity : params[Length];
  for (std::int32_t j = length - 2; j >= 0; --j) {  // the head's segment last, on top
    const TrailEnd newer = PlaceEnd(chain[j], params, trig);
    const TrailEnd older = PlaceEnd(chain[j + 1], params, trig);
    painter.Line(newer.x, newer.y, older.x, older.y, params[Thickness], FadedColour(chain[j], j, length));
  }
}

void DrawTrail(qrx::Screen& screen, const ChainPoint* chain, const SaverParams& params,
               const TrigTable& trig) {
  qrx::Painter painter;
  screen.GetDC(painter);
  DrawSegments(painter, chain, params, trig);
  screen.ReleaseDC(painter);
}

}  // namespace prumya
