#include "optics/ExactRay.h"

#include <cmath>

#include "numeric/Elementary.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"

namespace optics {
namespace {

// The start of the refinement is the best of this many + 1 evenly spaced
// points of the first face between its rims: the time along a face can have
// a second, higher minimum (a source far off the axis, a strongly curved
// face), and Newton's method goes to whichever minimum it starts near.
constexpr int kScanIntervals = 32;

// Newton steps, at most. From a start within one scan interval the quadratic
// convergence takes 5 to 8; the rest is room for the damped steps of a start
// far from the minimum.
constexpr int kMaxSteps = 60;

// Below this step (radians, or its length on the reference arc) the time
// differences of a step are rounding noise, so a step is no longer checked
// for lowering the time: only the derivative's root is followed.
constexpr double kQuadraticRegime = 1e-7;

// The refinement has converged once the step is below this (radians, or its
// length on the reference arc). The root of the derivative is known to about
// eps * (distances) / (second derivative), 1e-16 radians for the program's
// lenses, so this is a few hundred ulps above noise and far below the 1e-9
// the crossings are read to.
constexpr double kConverged = 1e-13;

// A point of the first face with the first two derivatives of its position
// with respect to the face's parameter u (Face in Lens.h).
struct FaceJet {
  double x, y;      // P(u)
  double dx, dy;    // P'(u)
  double ddx, ddy;  // P''(u)
};

FaceJet jetOf(const Face& f, double u) noexcept {
  if (f.Flat) return {f.VertexX, u, 0, 1, 0, 0};
  // P(u) = (C + F R cos u, R sin u), F R = +-R exactly (Facing is +-1).
  const numeric::SinAndCos t = numeric::SinCos(u);
  const double fr = f.Facing * f.Radius;
  return {f.CentreX + fr * t.Cos, f.Radius * t.Sin, -fr * t.Sin, f.Radius * t.Cos, -fr * t.Cos, -f.Radius * t.Sin};
}

// The travel time T(u) = |S - P(u)| / vo + |P(u) - X| / vi with its first two
// derivatives in u. For a leg of length d from a fixed point A:
//   d'  = (P - A) . P' / d,
//   d'' = (P' . P' + (P - A) . P'') / d - d'^2 / d.
struct TimeJet {
  double t, dt, ddt;
  bool valid;  // both legs of non-zero length and every number finite
};

TimeJet timeJet(const FaceJet& p, double sx, double sy, double xx, double xy, double vo, double vi) noexcept {
  const auto leg = [&p](double ax, double ay, double& d, double& d1, double& d2) {
    const double rx = p.x - ax, ry = p.y - ay;
    d = std::sqrt(rx * rx + ry * ry);
    d1 = (rx * p.dx + ry * p.dy) / d;
    d2 = (p.dx * p.dx + p.dy * p.dy + rx * p.ddx + ry * p.ddy) / d - d1 * d1 / d;
  };
  double a = 0, a1 = 0, a2 = 0, b = 0, b1 = 0, b2 = 0;
  leg(sx, sy, a, a1, a2);
  leg(xx, xy, b, b1, b2);
  TimeJet j{a / vo + b / vi, a1 / vo + b1 / vi, a2 / vo + b2 / vi, false};
  j.valid = a > 0 && b > 0 && std::isfinite(j.t) && std::isfinite(j.dt) && std::isfinite(j.ddt);
  return j;
}

double timeAt(const Face& f, double u, double sx, double sy, double xx, double xy, double vo, double vi) noexcept {
  const FacePoint p = PointOf(f, u);
  return Distance(sx, sy, p.X, p.Y) / vo + Distance(p.X, p.Y, xx, xy) / vi;
}

}  // namespace

std::optional<ExactEntry> LeastTimeEntryExact(const Lens& lens, double sx, double sy, double exitX,
                                              double exitY) noexcept {
  const Face& face = lens.First;
  const double vo = lens.SpeedOutside, vi = lens.SpeedInside;
  if (!(std::isfinite(sx) && std::isfinite(sy) && std::isfinite(exitX) && std::isfinite(exitY))) return std::nullopt;
  const double rim = RimParameter(face, lens.HalfAperture);
  if (!(std::isfinite(rim) && rim > 0)) return std::nullopt;

  // The start: the best point of a coarse scan between the rims.
  const double spacing = 2 * rim / kScanIntervals;
  double u = 0, best = INFINITY;
  for (int k = 0; k <= kScanIntervals; ++k) {
    // Symmetric about 0 by construction (k and kScanIntervals - k give
    // opposite parameters), so mirrored inputs start from mirrored points.
    const double v = (k - kScanIntervals / 2) * spacing;
    const double t = timeAt(face, v, sx, sy, exitX, exitY, vo, vi);
    if (t < best) {
      best = t;
      u = v;
    }
  }
  if (!std::isfinite(best)) return std::nullopt;

  // Newton's method on T'(u) = 0, damped far from the root: a step at most
  // one scan interval long, taken downhill and halved until it lowers the
  // time. Where T'' <= 0 (no minimum nearby) the step is one interval downhill.
  const double quadratic = ParameterSpan(face, kQuadraticRegime);
  const double converged = ParameterSpan(face, kConverged);
  for (int i = 0; i < kMaxSteps; ++i) {
    const TimeJet j = timeJet(jetOf(face, u), sx, sy, exitX, exitY, vo, vi);
    if (!j.valid) return std::nullopt;
    if (j.dt == 0) break;  // on the root exactly
    double step = j.ddt > 0 ? -j.dt / j.ddt : (j.dt > 0 ? -spacing : spacing);
    if (std::fabs(step) > spacing) step = std::copysign(spacing, step);
    if (std::fabs(step) > quadratic) {
      for (int h = 0; h < 40 && !(timeAt(face, u + step, sx, sy, exitX, exitY, vo, vi) < j.t); ++h) step /= 2;
    }
    u += step;
    if (std::fabs(step) < converged) break;
    if (i == kMaxSteps - 1) return std::nullopt;
  }
  // A spherical face's parameter lives within a quarter turn of its vertex:
  // beyond it the walk has gone round the circle to the far side.
  if (!face.Flat && !(std::fabs(u) < 1.5707963267948966)) return std::nullopt;
  const FacePoint e = PointOf(face, u);
  const double time = Distance(sx, sy, e.X, e.Y) / vo + Distance(e.X, e.Y, exitX, exitY) / vi;
  if (!std::isfinite(time)) return std::nullopt;
  return ExactEntry{e.X, e.Y, time};
}

std::optional<ExactExit> ExactExitRay(const Lens& lens, double sx, double sy, double exitX, double exitY) noexcept {
  const std::optional<ExactEntry> entry = LeastTimeEntryExact(lens, sx, sy, exitX, exitY);
  if (!entry) return std::nullopt;
  const double vo = lens.SpeedOutside, vi = lens.SpeedInside;

  // The unit normal n at X, pointing the light's way, and the unit tangent
  // t = n turned a quarter to the left: moving X by ds along the face moves
  // it by t ds.
  const FacePoint normal = AxialNormal(lens.Second, exitX, exitY);
  const double nl = std::sqrt(normal.X * normal.X + normal.Y * normal.Y);
  if (!(nl > 0)) return std::nullopt;
  const double nx = normal.X / nl, ny = normal.Y / nl;
  const double tx = -ny, ty = nx;

  // The least arrival time A(s) at the point X(s) of the exit face changes at
  //   dA/ds = (X - E) / |X - E| . t / vi,
  // the derivative of the glass leg alone: E is where the time is stationary
  // along the first face, so moving E contributes nothing at first order.
  const double gx = exitX - entry->X, gy = exitY - entry->Y;
  const double gl = std::sqrt(gx * gx + gy * gy);
  if (!(gl > 0)) return std::nullopt;
  const double along = (gx * tx + gy * ty) / gl;
  const double dAds = along / vi;

  // The time to a point Q ahead, A(s) + |X(s) - Q| / vo, is stationary in s
  // when the unit direction w from X to Q has
  //   w . t = vo * dA/ds =: c.
  // |c| >= 1: no direction does it, the light cannot leave the glass there.
  const double c = vo * dAds;
  if (!(std::fabs(c) < 1)) return std::nullopt;
  // w leaves on the side of the face the glass leg arrives from: w . n has
  // the sign of (X - E) . n. (1 - c)(1 + c) keeps the digits 1 - c^2 loses
  // near grazing.
  const double across = gx * nx + gy * ny;
  if (across == 0) return std::nullopt;
  const double wn = std::copysign(std::sqrt((1 - c) * (1 + c)), across);
  return ExactExit{*entry, c * tx + wn * nx, c * ty + wn * ny};
}

std::optional<double> ExactAxisCrossing(const Lens& lens, double sx, double sy, double exitX, double exitY) noexcept {
  if (!(std::fabs(exitY) > kExactOnAxis)) return std::nullopt;
  const std::optional<ExactExit> ray = ExactExitRay(lens, sx, sy, exitX, exitY);
  if (!ray) return std::nullopt;
  // X + s w meets y = 0 at s = -X.y / w.y, ahead of X only when s > 0.
  if (!((exitY > 0 && ray->DirY < 0) || (exitY < 0 && ray->DirY > 0))) return std::nullopt;
  const double s = -exitY / ray->DirY;
  const double x = exitX + s * ray->DirX;
  if (!std::isfinite(x)) return std::nullopt;
  return x;
}

std::optional<double> ParaxialImage(const Lens& lens, double sx, double sy) noexcept {
  if (sy != 0 || !std::isfinite(sx)) return std::nullopt;
  const double n = static_cast<double>(lens.SpeedOutside) / lens.SpeedInside;  // the glass's index
  const double v1 = PointOf(lens.First, 0).X, v2 = PointOf(lens.Second, 0).X;
  if (!(sx < v1) || !(v1 < v2)) return std::nullopt;
  // A face's power (n' - n) / R, R the signed radius from the vertex to the
  // centre (positive when the centre lies to the right); a flat face has none.
  const auto power = [](const Face& f, double change) { return f.Flat ? 0.0 : change / (f.CentreX - PointOf(f, 0).X); };
  // Reduced vergences U = n / l (l the distance from the vertex to the
  // point the light converges to, positive to the right): U1 = 1 / l1 of
  // the source, U1' = U1 + P1 in the glass, carried over the thickness d to
  // U2 = U1' / (1 - d U1' / n), and U2' = U2 + P2 after the second face,
  // the image at l2' = 1 / U2'.
  const double u1 = 1 / (sx - v1);
  const double u1g = u1 + power(lens.First, n - 1);
  const double carry = 1 - (v2 - v1) * u1g / n;
  if (carry == 0) return v2;  // the first face images the source onto the second vertex
  const double u2 = u1g / carry;
  const double u2out = u2 + power(lens.Second, 1 - n);
  if (!(u2out > 0) || !std::isfinite(u2out)) return std::nullopt;  // at infinity or virtual
  const double x = v2 + 1 / u2out;
  if (!std::isfinite(x)) return std::nullopt;
  return x;
}

}  // namespace optics
