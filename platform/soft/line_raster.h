// Our own integer line rasteriser, shaped like a GDI PS_SOLID pen drawn with
// MoveTo/LineTo: width 1 (or less) is a one-pixel line from the first point
// up to but not including the last; wider pens have round ends (see
// wide_pen.h). Everything is clipped to the view; no allocation, no floating point
// per pixel.
#pragma once
#include <cstdint>

#include "platform/soft/pixel_view.h"
#include "platform/soft/wide_pen.h"  // kMaxPenWidth: wider pens are drawn this wide

namespace plat::soft {


void DrawLine(const PixelView& view, std::int32_t x1, std::int32_t y1, std::int32_t x2,
              std::int32_t y2, std::int32_t width, std::uint32_t pixel);

}  // namespace plat::soft
