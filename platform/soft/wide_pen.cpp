#include "platform/soft/wide_pen.h"

#include <algorithm>
#include <cmath>

#include "platform/soft/run_fill.h"

namespace plat::soft {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

std::int64_t ISqrt(std::int64_t v) {  // floor(sqrt(v)), v >= 0
  std::int64_t r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
  while (r > 0 && r * r > v) --r;
  while ((r + 1) * (r + 1) <= v) ++r;
  return r;
}

// How far each row of a round end is cut in from the full width: a circle
// of the pen's diameter traced by integer error steps (the midpoint method
// for ellipses) from the middle row down; the upper half mirrors the lower.
constexpr void TraceRoundEnd(std::int32_t width, std::int32_t* inset) {
  const std::int64_t d = width - 1, odd = d % 2, step = 8 * d * d;
  std::int64_t ex = 4 * d * d * (1 - d), ey = 4 * d * d * (1 + odd), err = ex + ey + d * d * odd;
  std::int32_t x = 0, y = width / 2;
  for (std::int32_t row = 0; row < width; ++row) inset[row] = -1;
  inset[y] = 0;
  for (int guard = 0; x <= width / 2 && guard <= 2 * width + 2; ++guard) {
    const std::int64_t e2 = 2 * err;
    if (e2 >= ex) ++x, ex += step, err += ex;
    if (e2 <= ey) {
      ++y, ey += step, err += ey;
      if (y < width) inset[y] = x;
    }
  }
  for (std::int32_t row = width / 2 + 1; row < width; ++row) {
    if (inset[row] < 0) inset[row] = inset[row - 1];
  }
  for (std::int32_t row = 0; row < width / 2; ++row) inset[row] = inset[d - row];
}

// Round ends of the pens most drawn, traced once at compile time.
constexpr std::int32_t kTabledWidth = 32;
struct RoundEnds {
  std::int32_t inset[kTabledWidth + 1][kTabledWidth];
};
constexpr RoundEnds TraceTabledEnds() {
  RoundEnds ends{};
  for (std::int32_t width = 2; width <= kTabledWidth; ++width) TraceRoundEnd(width, ends.inset[width]);
  return ends;
}
constexpr RoundEnds kTabledEnds = TraceTabledEnds();

// Half-widths of the band along one axis: the exact extent t / length
// (t = width * the other axis' delta) rounded to the narrow and the wide half.
void Halves(std::int64_t t, std::int64_t length2, std::int64_t& narrow, std::int64_t& wide) {
  const std::int64_t whole = ISqrt(t * t / length2);  // floor(t / length)
  narrow = (whole + 1) / 2;
  wide = whole / 2 + 1;
}

}  // namespace

WideStroke::WideStroke(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                       std::int32_t width)
    : a_{x1, y1}, b_{x2, y2}, width_(std::clamp(width, 2, kMaxPenWidth)) {
  if (width_ <= kTabledWidth) {
    inset_ = kTabledEnds.inset[width_];
  } else {
    TraceRoundEnd(width_, traced_);
    inset_ = traced_;
  }
  const std::int64_t half = width_ / 2;
  top_ = std::min(a_.y, b_.y) - half;
  bottom_ = std::max(a_.y, b_.y) - half + width_;
  PlaceBand();
}

void WideStroke::PlaceBand() {
  const std::int64_t dx = b_.x - a_.x, dy = b_.y - a_.y;
  if (dx == 0 && dy == 0) return;  // the round ends alone: a dot
  if (dy == 0 || dx == 0) {
    bandKind_ = dy == 0 ? Band::Horizontal : Band::Vertical;
    return;
  }
  bandKind_ = Band::Slanted;
  const std::int64_t length2 = dx * dx + dy * dy;
  std::int64_t nx, wx, ny, wy;
  Halves(width_ * (dy < 0 ? -dy : dy), length2, nx, wx);
  Halves(width_ * (dx < 0 ? -dx : dx), length2, ny, wy);
  if (dx < 0) wy = -wy, ny = -ny;
  if (dy < 0) {
    std::swap(nx, wx);
    std::swap(ny, wy);
    wx = -wx, nx = -nx;
  }
  band_[0] = {a_.x - nx, a_.y + ny};
  band_[1] = {a_.x + wx, a_.y - wy};
  band_[2] = {b_.x + wx, b_.y - wy};
  band_[3] = {b_.x - nx, b_.y + ny};
  for (const Point& p : band_) top_ = std::min(top_, p.y), bottom_ = std::max(bottom_, p.y);
}

bool WideStroke::CapRow(const Point& centre, std::int64_t y, PixelSpan& out) const {
  const std::int64_t row = y - (centre.y - width_ / 2);
  if (row < 0 || row >= width_) return false;
  const std::int32_t in = inset_[row];
  out = {centre.x - width_ / 2 + in, centre.x + (width_ + 1) / 2 - in};
  return out.first < out.end;
}

bool WideStroke::BandRow(std::int64_t y, PixelSpan& out) const {
  const std::int64_t half = width_ / 2;
  switch (bandKind_) {
    case Band::None:
      return false;
    case Band::Horizontal:
      out = {std::min(a_.x, b_.x), std::max(a_.x, b_.x)};
      return y >= a_.y - half && y < a_.y - half + width_;
    case Band::Vertical:
      out = {a_.x - half, a_.x - half + width_};
      return y >= std::min(a_.y, b_.y) && y < std::max(a_.y, b_.y);
    case Band::Slanted:
      break;
  }
  // Each edge owns the rows from its upper end up to but not including its
  // lower end; a row crosses two of them, at x rounded up.
  std::int64_t lo = INT64_MAX, hi = INT64_MIN;
  for (int i = 0; i < 4; ++i) {
    Point p = band_[i], q = band_[(i + 1) % 4];
    if (p.y == q.y) continue;
    if (p.y > q.y) std::swap(p, q);
    if (y < p.y || y >= q.y) continue;
    const std::int64_t x = p.x + CeilDiv((y - p.y) * (q.x - p.x), q.y - p.y);
    lo = std::min(lo, x), hi = std::max(hi, x);
  }
  out = {lo, hi};
  return lo < hi;
}

int WideStroke::Row(std::int64_t y, PixelSpan out[3]) const {
  int n = 0;
  if (CapRow(a_, y, out[n])) ++n;
  if (CapRow(b_, y, out[n])) ++n;
  if (BandRow(y, out[n])) ++n;
  return n;
}

// ---- Drawing ------------------------------------------------------------------

// Clips spans to the view and fills them. Held by value, with the view's
// fields copied in: the fills store bytes, which the compiler must assume
// may land on anything reachable through a pointer, so a writer behind a
// reference would be read back from memory after every span.
class WideStroke::SpanWriter {
 public:
  SpanWriter(const PixelView& v, std::uint32_t pixel)
      : bits_(v.bits),
        pitch_(v.pitch),
        width_(v.width),
        height_(v.height),
        bpp_(BytesPerPixel(v.layout)),
        fill_(v.layout == PixelLayout::Rgb565 ? RunFill(static_cast<std::uint16_t>(pixel))
                                              : RunFill(pixel)) {}
  // Rows first..end-1 cut to the view's rows.
  std::int64_t FirstRow(std::int64_t first) const { return std::max<std::int64_t>(first, 0); }
  std::int64_t EndRow(std::int64_t end) const { return std::min(end, height_); }
  void Span(std::int64_t y, std::int64_t first, std::int64_t end) const {
    first = std::max<std::int64_t>(first, 0);
    end = std::min(end, width_);
    if (first >= end) return;
    fill_.Fill(bits_ + y * pitch_ + first * bpp_, static_cast<std::size_t>((end - first) * bpp_));
  }

 private:
  std::uint8_t* bits_;
  std::int64_t pitch_, width_, height_, bpp_;
  RunFill fill_;
};

void WideStroke::Fill(const PixelView& view, std::uint32_t pixel) const {
  const SpanWriter out(view, pixel);
  FillRoundEnd(a_, out);
  if (b_.x != a_.x || b_.y != a_.y) FillRoundEnd(b_, out);
  const std::int64_t half = width_ / 2;
  switch (bandKind_) {
    case Band::None:
      break;
    case Band::Horizontal:
      for (std::int64_t y = out.FirstRow(a_.y - half); y < out.EndRow(a_.y - half + width_); ++y) {
        out.Span(y, std::min(a_.x, b_.x), std::max(a_.x, b_.x));
      }
      break;
    case Band::Vertical:
      for (std::int64_t y = out.FirstRow(std::min(a_.y, b_.y)); y < out.EndRow(std::max(a_.y, b_.y)); ++y) {
        out.Span(y, a_.x - half, a_.x - half + width_);
      }
      break;
    case Band::Slanted:
      FillSlantedBand(out);
      break;
  }
}

void WideStroke::FillRoundEnd(const Point& centre, const SpanWriter out) const {
  const std::int64_t top = centre.y - width_ / 2;
  const std::int64_t left = centre.x - width_ / 2, right = centre.x + (width_ + 1) / 2;
  for (std::int64_t y = out.FirstRow(top); y < out.EndRow(top + width_); ++y) {
    const std::int32_t in = inset_[y - top];
    out.Span(y, left + in, right - in);
  }
}

namespace {

// An edge's run per row, dx / dy with dy > 0, as a whole step and a rest.
struct EdgeSlope {
  std::int64_t dx, dy, wholeStep, partStep;
  EdgeSlope(std::int64_t run, std::int64_t rise)
      : dx(run), dy(rise), wholeStep(FloorDiv(run, rise)), partStep(run - wholeStep * rise) {}
};

// One edge of the band going down from (px, py), walked from row `first`:
// x = px + ceil((y - py) * dx / dy) stepped row by row with exact integers,
// rem = numerator - ceiling * dy kept in (-dy, 0].
struct BandEdge {
  std::int64_t x = 0, rem = 0, wholeStep = 0, partStep = 0, dy = 1;
  void Start(std::int64_t px, std::int64_t py, const EdgeSlope& slope, std::int64_t first) {
    const std::int64_t begin = std::max(py, first);
    const std::int64_t numerator = (begin - py) * slope.dx;
    const std::int64_t up = begin == py ? 0 : CeilDiv(numerator, slope.dy);  // divides only when clipped
    x = px + up;
    rem = numerator - up * slope.dy;
    wholeStep = slope.wholeStep, partStep = slope.partStep, dy = slope.dy;
  }
  void Advance() {  // without a branch: when x carries is data, not a jump to predict
    rem += partStep;
    const std::int64_t carry = rem > 0;
    x += wholeStep + carry;
    rem -= carry * dy;
  }
};

}  // namespace

// Row by row as BandRow finds them, without a division per row. The band is
// a parallelogram: from its top corner two sides of two edges each run down
// to the opposite, bottom corner, and every row is crossed by one edge of
// each side (a flat edge crosses none). Between the middle corners' rows the
// same two edges cross every row. Opposite edges are parallel: the upper
// edge of one side has the slope of the lower edge of the other.
void WideStroke::FillSlantedBand(const SpanWriter out) const {
  int t = 0;
  for (int i = 1; i < 4; ++i) t = band_[i].y < band_[t].y ? i : t;
  const Point& top = band_[t];
  const Point& bottom = band_[(t + 2) % 4];
  const Point middle[2] = {band_[(t + 1) % 4], band_[(t + 3) % 4]};
  const std::int64_t first = out.FirstRow(top.y), end = out.EndRow(bottom.y);
  BandEdge upper[2], lower[2];
  for (int side = 0; side < 2; ++side) {
    const Point& m = middle[side];
    if (m.y == top.y) continue;  // flat: no rows
    const EdgeSlope slope(m.x - top.x, m.y - top.y);
    upper[side].Start(top.x, top.y, slope, first);
    lower[1 - side].Start(middle[1 - side].x, middle[1 - side].y, slope, first);
  }
  const std::int64_t breaks[4] = {top.y, std::min(middle[0].y, middle[1].y),
                                  std::max(middle[0].y, middle[1].y), bottom.y};
  for (int k = 0; k < 3; ++k) {
    BandEdge& side0 = middle[0].y > breaks[k] ? upper[0] : lower[0];
    BandEdge& side1 = middle[1].y > breaks[k] ? upper[1] : lower[1];
    BandEdge e0 = side0, e1 = side1;  // walked in registers, as the writer is
    for (std::int64_t y = std::max(breaks[k], first); y < std::min(breaks[k + 1], end); ++y) {
      const std::int64_t lo = std::min(e0.x, e1.x), hi = std::max(e0.x, e1.x);
      e0.Advance();
      e1.Advance();
      if (lo < hi) out.Span(y, lo, hi);
    }
    side0 = e0, side1 = e1;
  }
}

}  // namespace plat::soft
