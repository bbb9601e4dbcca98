#pragma once

#include "graphs/TravelTimeCurve.h"
#include "optics/Medium.h"

namespace graphs {

// Points of the curve through a graded medium: fewer than along a face, each
// two least-time searches.
inline constexpr int kMediumCurveSamples = 41;

// The travel time of the family of paths source -> P -> target with P
// running up the vertical line through H (the entry marker), each leg the
// least-time path (theta: P's height, over nine tenths of the frame's
// height `yMax` either side of the axis); the stationary paths' crossings of
// that line, a minimum as a minimum and a saddle as an inflection, the least
// as `least`; and the time through H. The curve is least where the line
// meets the real path.
[[nodiscard]] CurveData MediumTravelTimeCurve(const CurveInput& in, const optics::Medium& medium, double yMax);

}  // namespace graphs
