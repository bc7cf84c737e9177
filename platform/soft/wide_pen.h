// The pixels of one line drawn with a solid pen wider than one pixel, as
// GDI lays them out: a round end at each point (a circle region of the pen's
// width) and between them a band whose half-widths are whole pixels, filled
// with the polygon rules (top and left edges in, bottom and right out).
#pragma once
#include <cstdint>

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
  std::int64_t Top() const { return top_; }
  std::int64_t Bottom() const { return bottom_; }  // exclusive
  // The spans covering row y (up to three, possibly overlapping); returns how many.
  int Row(std::int64_t y, PixelSpan out[3]) const;

 private:
  struct Point {
    std::int64_t x, y;
  };
  void PlaceBand();
  bool CapRow(const Point& centre, std::int64_t y, PixelSpan& out) const;
  bool BandRow(std::int64_t y, PixelSpan& out) const;

  Point a_, b_;
  std::int32_t width_;
  Point band_[4] = {};
  enum class Band { None, Horizontal, Vertical, Slanted } bandKind_ = Band::None;
  std::int64_t top_ = 0, bottom_ = 0;
  std::int32_t inset_[kMaxPenWidth];  // per row of a round end, from its top
};

}  // namespace plat::soft
