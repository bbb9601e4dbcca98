#pragma once

#include <optional>

#include "optics/Lens.h"

namespace optics {

// A bundle ray found in double precision from travel time alone, as a check
// on the wavelet construction (which works from Single points and so cannot
// say where a ray near the axis meets it to better than a per cent).
//
// The ray is the one the bundle draws: from the source S through its
// least-time entry point E on the first face to the given exit point X on
// the second. After X it runs in the direction in which the travel time
// S -> E -> X' -> Q, for a point Q ahead of it, is stationary as X' slides
// along the exit face through X. No law of refraction is used: both E and
// the direction come from the derivatives of travel times.

struct ExactEntry {
  double X = 0, Y = 0;  // the least-time entry point E (on the face or its extension beyond a rim)
  double Time = 0;      // S -> E in air plus E -> X in glass
};

// The point of the first face through which light from S reaches X in the
// least time: Newton's method on the time's derivative along the face, until
// a step of the face's parameter is below 1e-13 radians (its length on the
// reference arc for a flat face), which leaves the point within a few ulps
// of the root. Empty when no minimum is found (a leg of zero length,
// non-finite input, a walk that goes round a sphere to its far side).
[[nodiscard]] std::optional<ExactEntry> LeastTimeEntryExact(const Lens& lens, double sx, double sy, double exitX,
                                                            double exitY) noexcept;

struct ExactExit {
  ExactEntry Entry;
  double DirX = 0, DirY = 0;  // unit direction of the ray after X
};

// The exact ray through the exit point X = (exitX, exitY) of the second face.
// Empty when the entry has no minimum, or when no direction makes the time
// stationary: the rate at which the least arrival time changes along the
// exit face, times the speed outside, exceeds 1 (the light cannot leave,
// "total reflection").
[[nodiscard]] std::optional<ExactExit> ExactExitRay(const Lens& lens, double sx, double sy, double exitX,
                                                    double exitY) noexcept;

// Exit heights at most this far from the axis count as on it (world units):
// such a ray runs along the axis and has no crossing to speak of.
inline constexpr double kExactOnAxis = 1e-9;

// The x at which the exact ray through X crosses the axis y = 0 ahead of X.
// Empty when the ray does not leave, leaves on the axis, runs away from the
// axis or parallel to it, or the crossing is not a finite number. Never NaN.
[[nodiscard]] std::optional<double> ExactAxisCrossing(const Lens& lens, double sx, double sy, double exitX,
                                                      double exitY) noexcept;

// The paraxial image of a source on the axis by the thick-lens formula (two
// refracting faces and the transfer between their vertices), as a reference
// to read the crossings against; never used to build a ray. Empty when the
// source is off the axis (sy != 0) or not in air left of the first vertex,
// and when the image is not real (at infinity or left of the second vertex).
[[nodiscard]] std::optional<double> ParaxialImage(const Lens& lens, double sx, double sy) noexcept;

}  // namespace optics
