#pragma once

#include "optics/Lens.h"
#include "optics/Mirror.h"
#include "optics/Stationary.h"

#include <optional>
#include <vector>

namespace graphs {

// Number of points of the curve: the first surface from rim to rim, both rims included.
inline constexpr int kCurveSamples = 721;

// A point with the travel time of the path source -> point -> target, double precision.
struct TimedPoint {
  double x = 0, y = 0, time = 0;
};

// One point E(theta) of the first face (optics::PointOf: (c - R cos theta,
// R sin theta) for the standard lens) and the time of the broken path
// S -> E -> T through it.
struct CurveSample {
  double theta = 0;  // the face's parameter: radians about its centre, or the height on a flat face
  double x = 0, y = 0, time = 0;
};

// What the travel-time graph shows.
// A stationary point of the time along a mirror, with its kind.
struct StationaryMark {
  double x = 0, y = 0, time = 0;
  optics::StationaryKind kind = optics::StationaryKind::Minimum;
};

struct CurveData {
  std::vector<CurveSample> samples;  // theta rising from the lower rim to the upper one
  std::optional<TimedPoint> least;   // the least-time search's point, unrounded; empty if it failed
  TimedPoint hand;                   // through the entry marker's centre
  std::vector<StationaryMark> stationary;  // along a mirror: every stationary point; none for a lens
  bool alongMirror = false;                // E runs over a mirror, not the lens's first face
  bool throughPoint = false;               // E runs up a vertical line through a graded medium (theta: its height)
};

// Where the curve is taken: source S, target T and the entry marker's centre H.
struct CurveInput {
  double sourceX = 0, sourceY = 0;
  double targetX = 0, targetY = 0;
  double handX = 0, handY = 0;
};

// The travel time of S -> E -> T for E running over the first surface, with
// the same PathTime as the least-time search, the search's own result for T
// and the time through H. Times may be infinite for absurd inputs; whoever
// shows or writes them leaves such values out.
[[nodiscard]] CurveData TravelTimeCurve(const CurveInput& in, const optics::Lens& lens);

// The travel time of S -> P -> T for P running over the mirror (theta: the
// mirror's parameter u), both legs at `speed`; every stationary point
// (optics::StationaryPoints) with its kind, the least of them as `least`, and
// the time through H (the entry marker, on the mirror).
[[nodiscard]] CurveData MirrorTravelTimeCurve(const CurveInput& in, const optics::Mirror& mirror, double speed);

}  // namespace graphs
