#include "canvas/ThinLine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// Qt draws a one-pixel cosmetic line by walking its major axis one pixel at a
// time in fixed point. The same walk, with the same numbers at every step,
// lights the same pixels; what follows is that walk, written against the raw
// buffer instead of Qt's span blending (which costs several times more per
// pixel). The file is built with floating-point contraction off, so the
// clipping below rounds exactly as Qt's own build does.

namespace canvas {
namespace {

// Past this side the stroker's 16.16 minor coordinate (up to (side + 1) * 2^16)
// would come near the 32-bit range; larger images go through Qt.
constexpr int kMaxSide = 16384;
// Coordinates beyond this many pixels go through Qt: the clipping differences
// below stay far from overflow and every clipped end well inside an int.
constexpr double kReach = 1 << 20;

// Moves the ends of a line that lie outside lo..hi on its u axis onto that
// edge along the line (v follows), first end first, the second from the line
// as the first left it. Qt clips a cosmetic line this way, in doubles, x then
// y, to the band one pixel beyond the image, before anything is rounded: the
// clipped ends are what its pixels are computed from, so the same operations
// in the same order are needed for the same doubles. False when nothing of
// the line is inside.
bool clipAxis(double& u1, double& v1, double& u2, double& v2, double lo, double hi) {
  if (u1 < lo) {
    if (u2 <= lo) return false;
    v1 += (v2 - v1) / (u2 - u1) * (lo - u1);
    u1 = lo;
  } else if (u1 > hi) {
    if (u2 >= hi) return false;
    v1 += (v2 - v1) / (u2 - u1) * (hi - u1);
    u1 = hi;
  }
  if (u2 < lo) {
    v2 += (v2 - v1) / (u2 - u1) * (lo - u2);
    u2 = lo;
  } else if (u2 > hi) {
    v2 += (v2 - v1) / (u2 - u1) * (hi - u2);
    u2 = hi;
  }
  return true;
}

// A pixel position in 26.6 fixed point (1/64 pixel), truncated toward zero
// as Qt converts it: a clipped end is at least -1, so an end left of or above
// the image moves up to 1/64 pixel right or down, never left or up.
int fixed26(double v) {
  return static_cast<int>(v * 64.0);
}

// The walk along the major axis u (x when the line is at most 45 degrees
// steep, y otherwise) from the 26.6 end (u1, v1) to (u2, v2), minor axis v.
//
// Along u the pixels lit are round(u1) .. round(u2) - 1 (ends in pixels,
// halves rounded up), with the ends ordered so that u1 < u2: exactly the
// pixels whose centre lies in (u1, u2]. A centre on the lower end is left
// out, one on the upper end drawn, whichever end the caller named first.
//
// Along v the position runs in 16.16 fixed point: the slope dv/du truncated
// toward zero, the start the end's v plus the slope times the distance from
// the end to the first pixel's centre when the slope is positive, or to its
// near edge otherwise (so 0.5 of a pixel less), that product floored to
// 16.16. Each step adds the slope; the pixel is the floor of v.
//
// Pixels outside the image are skipped, as Qt skips them, so the pixels
// inside are those of the walk as a whole.
template <bool Steep>
void walk(uchar* bits, qsizetype stride, int uSize, int vSize, int u1, int v1, int u2, int v2, QRgb ink) {
  if (u1 > u2) std::swap(u1, u2), std::swap(v1, v2);
  // |v2 - v1| <= u2 - u1, so the slope is at most 1.0 = 2^16 and the 64-bit
  // quotient fits an int; it equals Qt's, which divides in 32 bits when the
  // shift cannot overflow and in 64 otherwise, both truncating.
  const int slope = static_cast<int>(std::int64_t{v2 - v1} * 65536 / (u2 - u1));
  int u = (u1 + 32) >> 6;  // >> on a negative int floors (C++20)
  const int end = (u2 + 32) >> 6;
  const int toFirst = u * 64 + (slope > 0 ? 32 : 0) - u1;  // 26.6, within (-32, 64]
  int v = v1 * 1024 + ((toFirst * slope) >> 6);
  // The walk's pixels before the image (at most one: the ends are clipped to
  // one pixel beyond it) are stepped over at once, those after it dropped.
  if (u < 0) v += -u * slope, u = 0;
  const int last = std::min(end, uSize);
  for (; u < last; ++u, v += slope) {
    const int w = v >> 16;
    if (static_cast<unsigned>(w) >= static_cast<unsigned>(vSize)) continue;  // above or below the image
    const int col = Steep ? w : u, row = Steep ? u : w;
    reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(row) * stride)[col] = ink;
  }
}

}  // namespace

bool IsThinLineExact(const QImage& image, QPointF a, QPointF b) noexcept {
  auto moderate = [](double v) { return std::abs(v) < kReach; };  // false for NaN
  return image.format() == QImage::Format_RGB32 && image.width() <= kMaxSide && image.height() <= kMaxSide && a != b &&
         moderate(a.x()) && moderate(a.y()) && moderate(b.x()) && moderate(b.y());
}

void PlotThinLine(uchar* bits, qsizetype stride, int width, int height, QPointF a, QPointF b, QRgb ink) noexcept {
  double x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
  if (!clipAxis(x1, y1, x2, y2, -1.0, width + 1.0)) return;
  if (!clipAxis(y1, x1, y2, x2, -1.0, height + 1.0)) return;
  const int fx1 = fixed26(x1), fy1 = fixed26(y1), fx2 = fixed26(x2), fy2 = fixed26(y2);
  const int dx = std::abs(fx2 - fx1), dy = std::abs(fy2 - fy1);
  // Exactly 45 degrees counts as shallow; ends that meet in 26.6 light nothing.
  if (dx < dy)
    walk<true>(bits, stride, height, width, fy1, fx1, fy2, fx2, ink);
  else if (dx > 0)
    walk<false>(bits, stride, width, height, fx1, fy1, fx2, fy2, ink);
}

}  // namespace canvas
