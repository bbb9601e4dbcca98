#pragma once

#include "optics/Medium.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace optics {

struct PlanePoint {
  double x = 0, y = 0;
  bool operator==(const PlanePoint&) const = default;
};

// A path from A to B as N straight segments through N + 1 stations spaced
// evenly along the chord AB, each station moved off the chord by its offset
// (positive to the left of A -> B). The ends are fixed: offsets.front() and
// offsets.back() are 0. Fixing where along the chord each station stands
// removes the freedom to slide points along the path, which would leave the
// time's Hessian singular; every path that is a graph over its chord (all
// the ones this program draws) has such a form.
//
// The time is the sum over segments of length x index, the index taken at
// the segment's midpoint (second order in the segment length). This form is
// for the smooth profiles; layers of constant index have a path of straight
// pieces, found by where it crosses each boundary (FindCurvedPaths).
struct DiscretePath {
  std::vector<double> offsets;
  double time = 0;
  // The momentum n t at the source, -dT/dA of the discrete time with the
  // stations held at their optimum: the path's starting direction times the
  // index there, found from the times alone.
  double momentumX = 0, momentumY = 0;
  // The number of directions in which the time falls (negative pivots of
  // its Hessian): 0 for a minimum, more for a path that has passed a point
  // conjugate to the source (a saddle).
  int falling = 0;
  bool converged = false;
  // The largest change of any offset at each Newton step, in world units.
  std::vector<double> steps;
};

// The discrete path's time for the given offsets; +infinity where a
// station or a segment's midpoint lies where the medium has no index.
[[nodiscard]] double DiscreteTime(const Medium& medium, PlanePoint a, PlanePoint b,
                                  const std::vector<double>& offsets);

// The stationary discrete path nearest the start (offsets: N + 1 values,
// N >= 2), found by Newton's method on the offsets: the Hessian is
// tridiagonal (each segment couples two neighbouring stations), so each step
// costs O(N). Steps are shortened until the gradient's size falls, so the
// search finds saddles as well as minima. Not converged after 60 steps, or
// where no step stays inside the medium.
[[nodiscard]] DiscretePath SolveDiscretePath(const Medium& medium, PlanePoint a, PlanePoint b,
                                             std::vector<double> offsets);

// A stationary path through the medium as the program draws it: the
// discrete path at two resolutions N and 2N combined by Richardson's rule
// ((4 x fine - coarse) / 3 at the coarse stations), the error of the
// midpoint rule falling as N^-2. The starting direction comes from the
// momentum at the source of three resolutions, whose error has an N^-3
// term beside the N^-2 one (the end of the path is not symmetric).
struct CurvedPath {
  std::vector<PlanePoint> points;  // N + 1 points, the source first, the target last
  std::vector<double> times;      // the time from the source to each point
  double time = 0;                // the whole path's time
  double directionX = 1, directionY = 0;  // unit starting direction at the source
  int falling = 0;                        // 0: a minimum; more: a saddle
  int segments = 0;                       // N
  std::vector<double> offsets;            // the N + 1 offsets: the start for the next search
  [[nodiscard]] bool minimum() const noexcept { return falling == 0; }
};

struct CurvedPathOptions {
  int segments = 64;          // the coarsest N, at least 64
  int maxSegments = 1024;     // the finest N tried
  double tolerance = 1e-5;    // world units: successive refinements agree this closely
};

// The stationary path from the start offsets (any count >= 3: resampled to
// the coarsest N), refined until two refinements agree within the
// tolerance. Nothing where the search does not converge, or where at the
// finest N the path still moves by more than a thousandth of its chord.
[[nodiscard]] std::optional<CurvedPath> RefineCurvedPath(const Medium& medium, PlanePoint a, PlanePoint b,
                                                       const std::vector<double>& start,
                                                       const CurvedPathOptions& options = {});

struct CurvedSearch {
  std::vector<CurvedPath> paths;  // least time first
  std::string error;              // one line, empty when a path was found
};

// Every stationary path from A to B found from a straight start and from
// starts bowed to either side (the mirage's second path lies far below the
// straight one), least time first. In layers of constant index the path is
// straight within each layer: the unknowns are the points where it crosses
// the boundaries between A and B, the time is sum n_k |piece_k|, and
// Newton's method on the crossings (each piece couples two neighbours: a
// tridiagonal Hessian again) finds its only minimum. A clear one-line error where A or B lies
// outside the medium or no path converges.
[[nodiscard]] CurvedSearch FindCurvedPaths(const Medium& medium, PlanePoint a, PlanePoint b,
                                           const CurvedPathOptions& options = {});

// The offsets at `count` + 1 even stations, linearly interpolated from any
// other number of them (the warm start of a path at another resolution).
[[nodiscard]] std::vector<double> Resample(const std::vector<double>& offsets, int count);

}  // namespace optics
