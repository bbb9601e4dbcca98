#pragma once

#include "optics/Mirror.h"

#include <numbers>
#include <vector>

namespace optics {

// The kind of a point where the time source -> P -> target is stationary as
// P runs along the mirror.
enum class StationaryKind { Minimum, Maximum, Inflection, Constant };

// The angles below are in radians; the labels and files show degrees.
inline constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

[[nodiscard]] const char* StationaryKindName(StationaryKind k) noexcept;  // "minimum", ...

// The time of the path source -> mirror point at u -> target, both legs in
// air at `speed` (world units per unit of time), and its first and second
// derivatives by u.
struct MirrorTime {
  double T = 0, dT = 0, d2T = 0;
};
[[nodiscard]] MirrorTime TimeAlong(const Mirror& m, double u, double sx, double sy, double tx, double ty,
                                   double speed) noexcept;

struct StationaryPoint {
  double U = 0, X = 0, Y = 0, Time = 0;
  StationaryKind Kind = StationaryKind::Minimum;
  // Unsigned angles (radians) from the front normal to the source and to the
  // target as seen from the point: found from the time alone, so their
  // equality is a result, never imposed.
  double Incidence = 0, Reflection = 0;
  double SecondDerivative = 0;  // d2T/du2
};

struct StationaryResult {
  // By increasing u. For a constant time (Constant) the one point is the
  // middle of the stretch.
  std::vector<StationaryPoint> Points;
  bool Constant = false;             // the time is the same along the whole mirror
  double StretchFrom = 0, StretchTo = 0;  // u of the constant stretch's ends
};

// Every point of the mirror where the time source -> P -> target is
// stationary with the source and the target both in front of the mirror
// there: the mirror is sampled, each sign change of dT/du (and each pair of
// them that a change of sign of d2T/du2 between two samples hides) is
// bracketed and refined to the last bits by Brent's method. Each point's
// kind comes from d2T/du2 (zero within rounding: an inflection). Where dT/du
// vanishes at every sample the time is constant along the mirror (the
// ellipse with source and target at its foci) and that is reported instead.
[[nodiscard]] StationaryResult StationaryPoints(const Mirror& m, double sx, double sy, double tx, double ty,
                                                double speed);

}  // namespace optics
