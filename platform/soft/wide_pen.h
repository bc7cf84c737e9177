// The pixels of one line drawn with a solid pen wider than one pixel, as
// GDI lays them out: a round end at each point (a circle region of the pen's
// width) and between them a band whose half-widths are whole pixels, filled
// with the polygon rules (top and left edges in, bottom and right out).
#pragma once
#include <cstdint>

#include "platform/soft/pixel_view.h"

namespace plat::soft {

constexpr std::int32_t kMaxPenWidth = 1024;

struct PixelSpan {
  std::int64_t first, end;  // end exclusive
};

class WideStroke {
 public:
  // Ends within a few hundred thousand pixels of the view (the caller pulls
  // far ends in); width 2..kMaxPenWidth.
  WideStroke(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int32_t width);
  WideStroke(const WideStroke&) = delete;
  WideStroke& operator=(const WideStroke&) = delete;
  std::int64_t Top() const { return top_; }
  std::int64_t Bottom() const { return bottom_; }  // exclusive
  // The spans covering row y (up to three, possibly overlapping); returns how
  // many. This defines the shape; Fill draws the same pixels part by part.
  int Row(std::int64_t y, PixelSpan out[3]) const;
  // Every pixel of the stroke inside the view set to pixel: each round end's
  // rows, then the band's. Where the parts overlap a pixel is written twice
  // with the same value.
  void Fill(const PixelView& view, std::uint32_t pixel) const;

 private:
  struct Point {
    std::int64_t x, y;
  };
  class SpanWriter;
  void PlaceBand();
  bool CapRow(const Point& centre, std::int64_t y, PixelSpan& out) const;
  bool BandRow(std::int64_t y, PixelSpan& out) const;
  void FillRoundEnd(const Point& centre, SpanWriter out) const;
  void FillSlantedBand(SpanWriter out) const;

  Point a_, b_;
  std::int32_t width_;
  Point band_[4] = {};
  enum class Band { None, Horizontal, Vertical, Slanted } bandKind_ = Band::None;
  std::int64_t top_ = 0, bottom_ = 0;
  // Per row of a round end, from its top: a shared table for the common
  // widths, else traced_.
  const std::int32_t* inset_;
  std::int32_t traced_[kMaxPenWidth];
};

}  // namespace plat::soft
