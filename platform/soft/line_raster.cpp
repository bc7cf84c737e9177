#include "platform/soft/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/soft/wide_pen.h"

namespace plat::soft {
namespace {

// Ends of wide lines farther than this outside the view are pulled in along
// the line first, so every product below fits in 64 bits (views are at most
// 16384 wide); the visible part moves by less than a pixel.
constexpr double kFarLimit = 262144.0;

struct Segment {
  std::int64_t x0, y0, x1, y1;
};

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

// Where the line passes exactly half-way between two pixels, GDI takes the
// one with the smaller coordinate on the minor axis, in every octant.
int TieBias(int minorStep) { return minorStep > 0 ? 1 : 0; }

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
  const Bresenham line{xMajor ? adx : ady, xMajor ? ady : adx, TieBias(sMin)};
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
  WideStroke(s.x0, s.y0, s.x1, s.y1, std::min(width, kMaxPenWidth)).Fill(view, pixel);
}

}  // namespace plat::soft
