#include "canvas/SegmentClip.h"

#include <algorithm>
#include <cmath>

namespace canvas {
namespace {

// a*b - c*d without the cancellation of the plain expression (Kahan).
double differenceOfProducts(double a, double b, double c, double d) {
  const double cd = c * d;
  return std::fma(a, b, -cd) + std::fma(-c, d, cd);
}

}  // namespace

// Clipping of a world segment to [xLo, xHi] x [yLo, yHi]; false when nothing
// of it lies inside. It runs along the segment's dominant axis u, taking the
// other coordinate from the line's implicit equation x*dy - y*dx = a.x*b.y -
// a.y*b.x rather than interpolating from the far end: with ends at 1e30 an
// interpolation (or a parameter t in 0..1) would lose the visible part in
// rounding. An end that needs no clipping is kept exactly.
bool ClipSegment(QPointF& a, QPointF& b, double xLo, double xHi, double yLo, double yHi) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  if (dx == 0.0 && dy == 0.0) return a.x() >= xLo && a.x() <= xHi && a.y() >= yLo && a.y() <= yHi;
  const double cross = differenceOfProducts(a.x(), b.y(), a.y(), b.x());
  const bool alongX = std::abs(dx) >= std::abs(dy);
  const double ua = alongX ? a.x() : a.y(), ub = alongX ? b.x() : b.y();
  const double du = alongX ? dx : dy, dw = alongX ? dy : dx;
  const double uLo = alongX ? xLo : yLo, uHi = alongX ? xHi : yHi;
  const double wLo = alongX ? yLo : xLo, wHi = alongX ? yHi : xHi;
  const double shift = alongX ? -cross : cross;
  auto wAt = [&](double u) { return (u * dw + shift) / du; };  // |dw / du| <= 1: well conditioned
  double lo = std::max(std::min(ua, ub), uLo), hi = std::min(std::max(ua, ub), uHi);
  if (dw == 0.0) {
    const double w = alongX ? a.y() : a.x();
    if (w < wLo || w > wHi) return false;
  } else {
    const double u0 = (wLo * du - shift) / dw, u1 = (wHi * du - shift) / dw;
    lo = std::max(lo, std::min(u0, u1));
    hi = std::min(hi, std::max(u0, u1));
  }
  if (!(lo <= hi)) return false;
  auto at = [&](double u) { return alongX ? QPointF(u, wAt(u)) : QPointF(wAt(u), u); };
  const bool forward = ub >= ua;
  const double ea = forward ? lo : hi, eb = forward ? hi : lo;
  const QPointF na = ea == ua ? a : at(ea);
  const QPointF nb = eb == ub ? b : at(eb);
  a = na;
  b = nb;
  return true;
}

}  // namespace canvas
