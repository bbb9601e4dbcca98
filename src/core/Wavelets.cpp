#include "core/Wavelets.h"

#include "numeric/Elementary.h"
#include "optics/Faces.h"

#include <cmath>

namespace core {
namespace {
// Time margin after the reference arrival at which the wavelets are taken.
constexpr float kWaveletMargin = 2.0f;
// Tolerance on the ratio of sines.
constexpr double kRatioTolerance = 0.001;

struct Point {
  float x, y;
};

// Of a crossing's two points, the one strictly farther from (rx, ry), else B.
Point outer(const optics::CircleCrossing& c, double rx, double ry) {
  if (optics::Distance(c.XA, c.YA, rx, ry) > optics::Distance(c.XB, c.YB, rx, ry)) return {c.XA, c.YA};
  return {c.XB, c.YB};
}
// The crossings of two circles. Centres on one vertical (a flat face's
// neighbours) have no radical-line solution in x, which divides by their x
// distance: the same solution is then taken with the axes exchanged.
optics::CircleCrossing cross(double x1, double y1, double r1, double x2, double y2, double r2, bool vertical) {
  if (!vertical) return optics::CircleIntersect(x1, y1, r1, x2, y2, r2);
  const optics::CircleCrossing t = optics::CircleIntersect(y1, x1, r1, y2, x2, r2);
  return {t.Found, t.YA, t.XA, t.YB, t.XB};
}
}  // namespace

double PolarAngle(double x, double y, const optics::Lens& s) noexcept {
  return optics::ParameterOf(s.Second, x, y, s.Pi);
}

Neighbours NeighbourPoints(double x, double y, double deltaDegrees, const optics::Lens& s) noexcept {
  const double phi0 = PolarAngle(x, y, s);
  const double d = optics::ParameterSpan(s.Second, deltaDegrees * s.Pi / 180.0);
  const optics::FacePoint up = optics::PointOf(s.Second, phi0 + d), down = optics::PointOf(s.Second, phi0 - d);
  return {up.X, up.Y, down.X, down.Y};
}

WaveletCrossing CrossWavelets(double x, double y, float tP, float tA, float tB, const Neighbours& nb,
                              float speedOutside, double refX, double refY, bool flatFace) noexcept {
  WaveletCrossing w;
  // The neighbours are not compared with each other: when both arrive after P, A's time is taken.
  w.tRef = tP;
  if (tA > w.tRef) {
    w.tRef = tA;
  } else if (tB > w.tRef) {
    w.tRef = tB;
  }
  const float instant = w.tRef + kWaveletMargin;
  w.tauP = instant - tP;
  w.tauA = instant - tA;
  w.tauB = instant - tB;
  w.rP = speedOutside * w.tauP;
  w.rA = speedOutside * w.tauA;
  w.rB = speedOutside * w.tauB;
  w.c1 = cross(x, y, w.rP, nb.ax, nb.ay, w.rA, flatFace);
  w.c2 = cross(x, y, w.rP, nb.bx, nb.by, w.rB, flatFace);
  const bool one = w.c1.Found != 0, two = w.c2.Found != 0;
  if (one && two) {
    const Point q1 = outer(w.c1, refX, refY), q2 = outer(w.c2, refX, refY);
    w.mx = (double(q1.x) + q2.x) / 2.0;
    w.my = (double(q1.y) + q2.y) / 2.0;
  } else if (one || two) {
    const Point q = outer(one ? w.c1 : w.c2, refX, refY);
    w.mx = q.x;
    w.my = q.y;
  }
  w.hasM = one || two;
  return w;
}

bool RatioPasses(double n, const optics::Lens& s) noexcept {
  const float expected = s.SpeedOutside / s.SpeedInside;
  return std::abs(std::abs(n) - expected) <= kRatioTolerance;
}

}  // namespace core
