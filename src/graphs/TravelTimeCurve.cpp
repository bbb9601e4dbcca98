#include "graphs/TravelTimeCurve.h"

#include "numeric/Elementary.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"

#include <cmath>

namespace graphs {

CurveData TravelTimeCurve(const CurveInput& in, const optics::Lens& lens) {
  const double vo = lens.SpeedOutside, vi = lens.SpeedInside;
  auto time = [&](double x, double y) {
    return optics::PathTime(in.sourceX, in.sourceY, x, y, in.targetX, in.targetY, vo, vi);
  };

  CurveData d;
  // The rim exactly as the search forms it, so both cover the same face.
  const double alpha = optics::RimParameter(lens.First, lens.HalfAperture);
  const double step = 2.0 * alpha / (kCurveSamples - 1);
  d.samples.reserve(kCurveSamples);
  for (int k = 0; k < kCurveSamples; ++k) {
    // The last sample is the upper rim itself, not a sum of steps near it.
    const double theta = k == kCurveSamples - 1 ? alpha : -alpha + k * step;
    const optics::FacePoint p = optics::PointOf(lens.First, theta);
    d.samples.push_back({theta, p.X, p.Y, time(p.X, p.Y)});
  }

  const optics::LeastTimeWalk walk = optics::LeastTimeSearch(in.sourceX, in.sourceY, in.targetX, in.targetY, lens);
  if (walk.Converged) d.least = TimedPoint{walk.X, walk.Y, walk.Time};
  d.hand = {in.handX, in.handY, time(in.handX, in.handY)};
  return d;
}

CurveData MirrorTravelTimeCurve(const CurveInput& in, const optics::Mirror& m, double speed) {
  auto time = [&](double x, double y) {
    return (std::hypot(x - in.sourceX, y - in.sourceY) + std::hypot(in.targetX - x, in.targetY - y)) / speed;
  };
  CurveData d;
  d.alongMirror = true;
  d.samples.reserve(kCurveSamples);
  const double lo = m.uMin(), hi = m.uMax();
  for (int k = 0; k < kCurveSamples; ++k) {
    const double u = k == kCurveSamples - 1 ? hi : lo + (hi - lo) * k / (kCurveSamples - 1);
    const optics::MirrorPoint p = m.at(u);
    d.samples.push_back({u, p.X, p.Y, time(p.X, p.Y)});
  }
  const optics::StationaryResult st =
      optics::StationaryPoints(m, in.sourceX, in.sourceY, in.targetX, in.targetY, speed);
  for (const optics::StationaryPoint& p : st.Points) {
    d.stationary.push_back({p.X, p.Y, p.Time, p.Kind});
    if (!d.least || p.Time < d.least->time) d.least = TimedPoint{p.X, p.Y, p.Time};
  }
  d.hand = {in.handX, in.handY, time(in.handX, in.handY)};
  return d;
}

}  // namespace graphs
