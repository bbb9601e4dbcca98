#pragma once

#include <cmath>
#include <cstdint>

namespace optics {

// Crossing points of two circles. A is the crossing with the larger y, B the
// one with the smaller y; for touching circles they coincide.
//
// Found is a 16-bit Boolean in the program's convention: 0 = false,
// -1 = true. When Found is 0 all four coordinates stay 0.
struct CircleCrossing {
  std::int16_t Found = 0;
  float XA = 0, YA = 0, XB = 0, YB = 0;
};

// Euclidean distance of P1 and P2 in the plain form sqrt(dx^2 + dy^2),
// deliberately not std::hypot: the last bits must match the naive formula
// every worked number of the program comes from.
[[nodiscard]] inline double Distance(double x1, double y1, double x2, double y2) noexcept {
  return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

// Travel time of the broken path P1 -> P2 -> P3: the first leg in air at
// speedOutside, the second in glass at speedInside. Callers pass the source
// as P1, the point of the entry surface as P2 and the exit-side point as P3.
// Time is in world units divided by speed. Inline because the constructions
// call it in loops of hundreds of iterations per ray.
[[nodiscard]] inline double PathTime(double x1, double y1, double x2, double y2, double x3, double y3,
                                     double speedOutside, double speedInside) noexcept {
  return Distance(x1, y1, x2, y2) / speedOutside + Distance(x2, y2, x3, y3) / speedInside;
}

// Arc sine with a domain guard: 0 outside [-1, 1] (and for NaN), never a
// clamp to +-pi/2. The two end points give +-kSinglePi/2, i.e. the single
// precision quarter turn, not the double one.
[[nodiscard]] double ArcSin(double x) noexcept;

// Signed angle from vector a to vector b in radians, within +-pi/2 (only the
// sine is used, so 135 degrees is reported as 45). Positive when b lies
// counter-clockwise of a with y upward. A zero-length vector, or any input
// whose sine is not a number, gives 0.
[[nodiscard]] double SignedAngle(double ax, double ay, double bx, double by) noexcept;

// Crossing points of circle 1 (centre (x1, y1), radius r1) and circle 2
// (centre (x2, y2), radius r2), solved along the radical line.
//
// Reports no crossing when the centres share their x (the solution divides by
// dx), when the quarter discriminant is negative, and when the numbers
// overflow so that no finite crossing comes out.
[[nodiscard]] CircleCrossing CircleIntersect(double x1, double y1, double r1, double x2, double y2,
                                             double r2) noexcept;

}  // namespace optics
