#include "platform/soft/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plat::soft {
namespace {

// Ends of wide lines farther than this outside the view are pulled in along
// the line first, so every product below fits in 64 bits (views are at most
// 16384 wide); the visible part moves by less than a pixel.
constexpr double kFarLimit = 262144.0;

struct Segment {
  std::int64_t x0, y0, x1, y1;
};

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

// Liang-Barsky against the view grown by kFarLimit; false when the segment
// lies wholly outside it (and so cannot touch the view, even with a wide pen).
bool PullIn(Segment& s, const PixelView& v) {
  const double lo = -kFarLimit, hiX = v.width + kFarLimit, hiY = v.height + kFarLimit;
  auto inside = [&](std::int64_t x, std::int64_t y) { return x >= lo && x <= hiX && y >= lo && y <= hiY; };
  if (inside(s.x0, s.y0) && inside(s.x1, s.y1)) return true;
  const double x0 = static_cast<double>(s.x0), y0 = static_cast<double>(s.y0);
  const double dx = static_cast<double>(s.x1 - s.x0), dy = static_cast<double>(s.y1 - s.y0);
  double t0 = 0.0, t1 = 1.0;
  auto edge = [&](double p, double q) {  // keeps p * t <= q
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) t0 = std::max(t0, r);
    else t1 = std::min(t1, r);
    return t0 <= t1;
  };
  if (!edge(-dx, x0 - lo) || !edge(dx, hiX - x0) || !edge(-dy, y0 - lo) || !edge(dy, hiY - y0)) {
    return false;
  }
  if (t1 < 1.0) s.x1 = std::llround(x0 + t1 * dx), s.y1 = std::llround(y0 + t1 * dy);
  if (t0 > 0.0) s.x0 = std::llround(x0 + t0 * dx), s.y0 = std::llround(y0 + t0 * dy);
  return true;
}

template <typename P>
void FillRow(std::uint8_t* row, std::int64_t x0, std::int64_t x1, std::uint32_t pixel) {
  P* p = reinterpret_cast<P*>(row);
  std::fill(p + x0, p + x1 + 1, static_cast<P>(pixel));
}

// ---- One-pixel lines -------------------------------------------------------

// Steps i whose coordinate start + step * i lies in [0, size).
void KeepInside(std::int64_t start, int step, std::int64_t size, std::int64_t& lo, std::int64_t& hi) {
  if (step > 0) {
    lo = std::max(lo, -start);
    hi = std::min(hi, size - 1 - start);
  } else {
    lo = std::max(lo, start - (size - 1));
    hi = std::min(hi, start);
  }
}

// Which way a minor step goes when the line passes exactly half-way between
// two pixels, per octant (0: early, 1: late); chosen to match GDI.
int TieBias(bool xMajor, int majorStep, int minorStep) {
  (void)xMajor;
  (void)majorStep;
  (void)minorStep;
  return 0;
}

// Products of two 33-bit extents need more than 64 bits; only the start of a
// line is computed this wide, the per-pixel steps stay in 64 bits.
__extension__ typedef __int128 Wide;

struct Bresenham {
  std::int64_t n, m;  // major and minor extent, n >= m, n > 0
  int bias;
  // Minor offset at step i: round(i * m / n), ties by bias.
  Wide Numerator(std::int64_t i) const { return Wide{2} * i * m + n - bias; }
  std::int64_t FirstStepReaching(std::int64_t k) const {  // least i with offset >= k
    if (k <= 0) return 0;
    const Wide a = Wide{2} * n * k - n + bias, b = Wide{2} * m;
    return static_cast<std::int64_t>((a + b - 1) / b);  // a > 0
  }
  std::int64_t LastStepWithin(std::int64_t k) const {  // greatest i with offset <= k
    if (k < 0) return -1;
    return static_cast<std::int64_t>((Wide{2} * n * (k + 1) - n + bias - 1) / (Wide{2} * m));
  }
};

template <typename P>
void ThinLine(const PixelView& v, const Segment& s, std::uint32_t pixel) {
  const std::int64_t dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx == 0 && ady == 0) return;
  const bool xMajor = adx >= ady;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const int sMaj = xMajor ? sx : sy, sMin = xMajor ? sy : sx;
  const std::int64_t a0 = xMajor ? s.x0 : s.y0, b0 = xMajor ? s.y0 : s.x0;
  const Bresenham line{xMajor ? adx : ady, xMajor ? ady : adx, TieBias(xMajor, sMaj, sMin)};
  std::int64_t lo = 0, hi = line.n - 1;  // the last point is not drawn
  KeepInside(a0, sMaj, xMajor ? v.width : v.height, lo, hi);
  std::int64_t mlo = 0, mhi = line.m;
  KeepInside(b0, sMin, xMajor ? v.height : v.width, mlo, mhi);
  if (line.m == 0) {
    if (mlo > 0 || mhi < 0) return;
  } else {
    lo = std::max(lo, line.FirstStepReaching(mlo));
    hi = std::min(hi, line.LastStepWithin(mhi));
  }
  if (lo > hi) return;
  const Wide start = line.Numerator(lo);
  std::int64_t q = static_cast<std::int64_t>(start / (2 * line.n));
  std::int64_t r = static_cast<std::int64_t>(start % (2 * line.n));
  for (std::int64_t i = lo; i <= hi; ++i) {
    const std::int64_t a = a0 + sMaj * i, b = b0 + sMin * q;
    const std::int64_t x = xMajor ? a : b, y = xMajor ? b : a;
    reinterpret_cast<P*>(v.bits + y * v.pitch)[x] = static_cast<P>(pixel);
    r += 2 * line.m;
    if (r >= 2 * line.n) r -= 2 * line.n, ++q;
  }
}

// ---- Wide lines ------------------------------------------------------------
// Coordinates are doubled so the half width is an integer. A pixel is lit when
// its centre lies within half the pen width of the segment; centres exactly
// on the outline follow the fill rule of polygons (top and left edges in,
// bottom and right edges out).

struct Span {
  std::int64_t lo, hi;
  bool Empty() const { return lo > hi; }
};
constexpr Span kAll{INT64_MIN / 4, INT64_MAX / 4};
constexpr Span kNone{1, 0};

Span Intersect(Span a, Span b) { return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)}; }
Span Unite(Span a, Span b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

// Integers X with a * X in [lo, hi].
Span Solve(std::int64_t a, std::int64_t lo, std::int64_t hi) {
  if (a == 0) return (lo <= 0 && hi >= 0) ? kAll : kNone;
  if (a < 0) return {CeilDiv(-hi, -a), FloorDiv(-lo, -a)};
  return {CeilDiv(lo, a), FloorDiv(hi, a)};
}

struct Capsule {
  std::int64_t x0, y0, x1, y1;  // doubled
  std::int64_t r;               // doubled half width = pen width
  std::int64_t dx, dy, length2, reach;
  bool exact;  // reach * reach == r * r * length2: the band's edges pass through centres
};

// Row y of the disc around (cx, cy), in doubled x.
Span DiscRow(std::int64_t cx, std::int64_t cy, std::int64_t r, std::int64_t y) {
  const std::int64_t dy = y - cy, q = r * r - dy * dy;
  if (q < 0) return kNone;
  const std::int64_t s = ISqrt(q);
  if (s == 0) return dy < 0 ? Span{cx, cx} : kNone;  // top point in, bottom point out
  return {cx - s, s * s == q ? cx + s - 1 : cx + s};
}

// Row y of the rectangle between the two end discs, in doubled x.
Span BandRow(const Capsule& c, std::int64_t y) {
  if (c.length2 == 0) return kNone;
  // cross = x * dy - k1 within [-reach, reach]; dot = x * dx - k2 within [0, length2].
  const std::int64_t k1 = c.x0 * c.dy + (y - c.y0) * c.dx;
  const std::int64_t k2 = c.x0 * c.dx - (y - c.y0) * c.dy;
  std::int64_t lo = -c.reach, hi = c.reach;
  if (c.exact) {  // the edge whose outward normal points down or right is open
    const bool plusOpen = c.dy > 0 || (c.dy == 0 && c.dx < 0);
    if (plusOpen) --hi;
    else ++lo;
  }
  return Intersect(Solve(c.dy, k1 + lo, k1 + hi), Solve(c.dx, k2, k2 + c.length2));
}

template <typename P>
void WideLine(const PixelView& v, const Segment& s, std::int64_t width, std::uint32_t pixel) {
  Capsule c{2 * s.x0, 2 * s.y0, 2 * s.x1, 2 * s.y1, width, 0, 0, 0, 0, false};
  c.dx = c.x1 - c.x0, c.dy = c.y1 - c.y0;
  c.length2 = c.dx * c.dx + c.dy * c.dy;
  c.reach = ISqrt(c.r * c.r * c.length2);
  c.exact = c.reach * c.reach == c.r * c.r * c.length2;
  const std::int64_t top = std::max<std::int64_t>(CeilDiv(std::min(c.y0, c.y1) - c.r, 2), 0);
  const std::int64_t bottom = std::min<std::int64_t>(FloorDiv(std::max(c.y0, c.y1) + c.r, 2), v.height - 1);
  for (std::int64_t py = top; py <= bottom; ++py) {
    const std::int64_t y = 2 * py;
    Span row = Unite(DiscRow(c.x0, c.y0, c.r, y), DiscRow(c.x1, c.y1, c.r, y));
    row = Unite(row, BandRow(c, y));
    if (row.Empty()) continue;
    const std::int64_t xl = std::max<std::int64_t>(CeilDiv(row.lo, 2), 0);
    const std::int64_t xr = std::min<std::int64_t>(FloorDiv(row.hi, 2), v.width - 1);
    if (xl <= xr) FillRow<P>(v.bits + py * v.pitch, xl, xr, pixel);
  }
}

}  // namespace

void DrawLine(const PixelView& view, std::int32_t x1, std::int32_t y1, std::int32_t x2,
              std::int32_t y2, std::int32_t width, std::uint32_t pixel) {
  if (view.bits == nullptr || view.width <= 0 || view.height <= 0) return;
  Segment s{x1, y1, x2, y2};
  const bool rgb565 = view.layout == PixelLayout::Rgb565;
  if (width <= 1) {  // exact for any 32-bit ends
    if (rgb565) ThinLine<std::uint16_t>(view, s, pixel);
    else ThinLine<std::uint32_t>(view, s, pixel);
    return;
  }
  if (!PullIn(s, view)) return;
  const std::int64_t w = std::min(width, kMaxPenWidth);
  if (rgb565) WideLine<std::uint16_t>(view, s, w, pixel);
  else WideLine<std::uint32_t>(view, s, w, pixel);
}

void FillSpan(const PixelView& view, std::int64_t y, std::int64_t xFirst, std::int64_t xLast,
              std::uint32_t pixel) {
  if (view.bits == nullptr || y < 0 || y >= view.height) return;
  xFirst = std::max<std::int64_t>(xFirst, 0);
  xLast = std::min<std::int64_t>(xLast, view.width - 1);
  if (xFirst > xLast) return;
  std::uint8_t* row = view.bits + y * view.pitch;
  if (view.layout == PixelLayout::Rgb565) FillRow<std::uint16_t>(row, xFirst, xLast, pixel);
  else FillRow<std::uint32_t>(row, xFirst, xLast, pixel);
}

}  // namespace plat::soft
