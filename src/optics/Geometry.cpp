#include "optics/Geometry.h"

#include <cmath>

#include "optics/Lens.h"
#include "numeric/Elementary.h"
#include "numeric/Single.h"

namespace optics {

namespace {

// The quarter turn as the program stores it: kSinglePi / 2 is exact in float
// (a power-of-two division), so this is float(pi)/2 = 1.5707964.
constexpr double kSingleHalfPi = static_cast<double>(kSinglePi / 2.0f);

// Length of a vector in the plain form sqrt(x^2 + y^2), like Distance and
// PathTime.
[[nodiscard]] inline double Length(double x, double y) noexcept { return Distance(x, y, 0.0, 0.0); }

}  // namespace

double ArcSin(double x) noexcept {
  // The order of the tests matters: the exact end points are caught before
  // the open interval, and anything left over (x < -1, and NaN, for which
  // every comparison is false) falls through to 0.
  if (x > 1.0) {
    return 0.0;
  }
  if (x == 1.0) {
    return kSingleHalfPi;
  }
  if (x == -1.0) {
    return -kSingleHalfPi;
  }
  if (std::fabs(x) < 1.0) {
    // Radicand written as -x*x + 1. For |x| < 1 the rounded x*x never
    // reaches 1 (it is at most |x|), so the radicand stays positive and the
    // quotient finite.
    const double radicand = -x * x + 1.0;
    return numeric::Atan(x / std::sqrt(radicand));
  }
  return 0.0;
}

double SignedAngle(double ax, double ay, double bx, double by) noexcept {
  const double lengthA = Length(ax, ay);
  const double lengthB = Length(bx, by);
  const double lengths = lengthA * lengthB;
  // A zero-length vector has no direction. The same guard catches a product
  // of two tiny lengths that underflows to 0. The angle is then reported as
  // 0, the value the arc sine guard gives for any undefined sine.
  if (lengths == 0.0) {
    return 0.0;
  }
  // Sine of the angle from a to b. Rounding may push it just past +-1 for
  // perpendicular vectors; ArcSin then gives 0 by its domain rule. Overflow
  // (inf/inf) gives NaN, which ArcSin also maps to 0.
  const double sine = (ax * by - ay * bx) / lengths;
  return ArcSin(sine);
}

CircleCrossing CircleIntersect(double x1, double y1, double r1, double x2, double y2, double r2) noexcept {
  CircleCrossing crossing;
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  // Right-hand side of the radical line 2*dx*x + 2*dy*y = K, the difference of
  // the two circle equations.
  const double k = (r2 * r2 - r1 * r1) + (x1 - x2) * (x1 + x2) + (y1 - y2) * (y1 + y2);
  // The line is solved for x, so equal centre x means no crossing is
  // reported, even for circles that do cross.
  if (dx == 0.0) {
    return crossing;
  }
  // On the radical line x - x2 = h - m*y. Substituting into circle 2 gives
  // (1 + m^2) y^2 - 2 (h m + y2) y + (h^2 + y2^2 - r2^2) = 0.
  const double m = dy / dx;
  const double h = k / (2.0 * dx) - x2;
  const double onePlusMSquared = 1.0 + m * m;
  const double offset = h - m * y2;
  // Quarter discriminant of that quadratic.
  const double discriminant = r2 * r2 * onePlusMSquared - offset * offset;
  // Written as !(D >= 0) rather than D < 0 so that a NaN discriminant (an
  // overflowed m or h for nearly vertical centre lines) also counts as no
  // crossing instead of producing NaN points flagged as found.
  if (!(discriminant >= 0.0)) {
    return crossing;
  }
  const double s = std::sqrt(discriminant);
  const float ya = numeric::RoundToSingle((h * m + y2 + s) / onePlusMSquared);
  const float yb = numeric::RoundToSingle((h * m + y2 - s) / onePlusMSquared);
  // x from the radical line, using the y already rounded to float so that
  // each returned point lies on that line as exactly as float allows.
  const float xa = numeric::RoundToSingle((k - 2.0 * dy * static_cast<double>(ya)) / (2.0 * dx));
  const float xb = numeric::RoundToSingle((k - 2.0 * dy * static_cast<double>(yb)) / (2.0 * dx));
  // A finite discriminant can still give an overflowing point when the
  // centres are almost vertically aligned; such a "crossing" lies on neither
  // circle in any useful sense, so it is reported as none.
  if (!std::isfinite(ya) || !std::isfinite(yb) || !std::isfinite(xa) || !std::isfinite(xb)) {
    return crossing;
  }
  crossing.Found = -1;
  crossing.XA = xa;
  crossing.YA = ya;
  crossing.XB = xb;
  crossing.YB = yb;
  return crossing;
}

}  // namespace optics
