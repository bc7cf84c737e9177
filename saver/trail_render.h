// Draws the trail on the back buffer: one GDI line per pair of neighbouring
// points, oldest first, each end spun and wobbled round its base point, the
// colour fading towards the tail.
#pragma once
#include <cstdint>

#include "framework/painter.h"
#include "saver/config.h"
#include "saver/trail.h"
#include "saver/trig_table.h"

namespace qrx {
class Screen;
}

namespace prumya {

struct TrailEnd {
  std::int32_t x, y;
};

// Where point k's end is drawn, from that point's own fields only.
TrailEnd PlaceEnd(const ChainPoint& point, const SaverParams& params, const TrigTable& trig);
// Point j's colour faded to (Length - j) / Length, packed as a COLORREF.
plat::ColourRef FadedColour(const ChainPoint& point, std::int32_t j, std::int32_t length);

// The segments of a chain of Length points through a painter.
void DrawSegments(qrx::Painter& painter, const ChainPoint* chain, const SaverParams& params,
                  const TrigTable& trig);
// One frame's trail: the back buffer's device context is taken once and
// always given back.
void DrawTrail(qrx::Screen& screen, const ChainPoint* chain, const SaverParams& params,
               const TrigTable& trig);

}  // namespace prumya
