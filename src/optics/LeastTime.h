#pragma once

#include "optics/Lens.h"

namespace optics {

// A point with the travel time that reaches it; also used for wavefront points.
struct PathPoint {
  float X = 0, Y = 0, Time = 0;
};

// Double-precision outcome of the walk along the first surface (the single-ray
// construction uses it unrounded). On failure every number is 0.
struct LeastTimeWalk {
  double X = 0, Y = 0, Time = 0;
  bool Converged = false;
  int Moves = 0;  // evaluations after the first one; at most kMaxMoves
};

// LeastTimeSearch rounded to float. On failure Converged is false and Point
// is {0, 0, 0}, which callers use like any other result.
struct LeastTimeResult {
  PathPoint Point;
  bool Converged = false;
  int Moves = 0;
};

// Largest number of evaluations after the first one before the walk gives up.
inline constexpr int kMaxMoves = 499;

// Finds the point E of the lens's first face through which light from the
// source S = (sx, sy) reaches P = (px, py) in the least time (S -> E in air,
// E -> P in glass), by walking along the face by its parameter u (Face):
//
//   u from the lower rim -RimParameter, first step 2 degrees (float) on an
//   arc, that angle's length on an arc of kFlatReferenceRadius on a flat
//   face, moving on while the time falls strictly and turning back with half
//   the step otherwise.
//
// The walk ends when the step drops below 1e-6 rad (its length on the
// reference arc for a flat face), after the 16th reversal, and returns the
// point evaluated last with its time. u is not confined to the lens: a
// minimum beyond a rim yields a point of the face's extension outside the
// lens. Showing a failure to the user is the caller's business.
//
// A time that is not finite (non-finite or overflowing inputs) has no minimum
// to speak of; such a walk is reported as failed.
[[nodiscard]] LeastTimeWalk LeastTimeSearch(double sx, double sy, double px, double py,
                                            const Lens& lens) noexcept;

[[nodiscard]] LeastTimeResult LeastTimeEntry(double sx, double sy, double px, double py,
                                             const Lens& lens) noexcept;

}  // namespace optics
