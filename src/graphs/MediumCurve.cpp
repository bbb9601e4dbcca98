#include "graphs/MediumCurve.h"

#include "optics/CurvedPath.h"

#include <cmath>
#include <optional>

namespace graphs {
namespace {

// Two resolutions only: a curve point need not be settled to the tolerance
// a drawn path is, and forty of them follow a drag.
constexpr optics::CurvedPathOptions kLeg{.maxSegments = 128};

std::optional<optics::CurvedPath> leg(const optics::Medium& m, optics::PlanePoint a, optics::PlanePoint b,
                                      const std::vector<double>& start) {
  if (!m.defined(a.x, a.y) || !m.defined(b.x, b.y) || std::hypot(b.x - a.x, b.y - a.y) < 1e-9) return std::nullopt;
  return optics::RefineCurvedPath(m, a, b, start, kLeg);
}

// Where the path crosses the vertical line x, by linear interpolation, and
// the time there: none when it does not.
std::optional<TimedPoint> crossing(const optics::CurvedPath& p, double x) {
  for (std::size_t i = 1; i < p.points.size(); ++i) {
    const double x0 = p.points[i - 1].x, x1 = p.points[i].x;
    if ((x0 - x) * (x1 - x) <= 0 && x0 != x1) {
      const double f = (x - x0) / (x1 - x0);
      return TimedPoint{x, p.points[i - 1].y + f * (p.points[i].y - p.points[i - 1].y), p.time};
    }
  }
  return std::nullopt;
}

// A stationary path's kind along this family of paths: a minimum stays one
// (every family through it takes longer), a saddle shows as a maximum where
// the samples either side of its crossing both take less time, else as an
// inflection.
optics::StationaryKind kindAlong(const std::vector<CurveSample>& samples, const optics::CurvedPath& p,
                                 const TimedPoint& at) {
  if (p.minimum()) return optics::StationaryKind::Minimum;
  const CurveSample* below = nullptr;
  const CurveSample* above = nullptr;
  for (const CurveSample& c : samples) {
    if (c.y < at.y && (!below || c.y > below->y)) below = &c;
    if (c.y > at.y && (!above || c.y < above->y)) above = &c;
  }
  if (below && above && below->time < at.time && above->time < at.time) return optics::StationaryKind::Maximum;
  return optics::StationaryKind::Inflection;
}

}  // namespace

CurveData MediumTravelTimeCurve(const CurveInput& in, const optics::Medium& m, double yMax) {
  CurveData d;
  d.throughPoint = true;
  const optics::PlanePoint s{in.sourceX, in.sourceY}, t{in.targetX, in.targetY};
  const double top = 0.9 * yMax;
  // Each leg from the one before it: neighbouring points have neighbouring paths.
  std::vector<double> first(3, 0), second(3, 0);
  for (int k = 0; k < kMediumCurveSamples; ++k) {
    const double y = -top + 2 * top * k / (kMediumCurveSamples - 1);
    const optics::PlanePoint p{in.handX, y};
    const std::optional<optics::CurvedPath> a = leg(m, s, p, first), b = leg(m, p, t, second);
    if (!a || !b) {
      first.assign(3, 0);
      second.assign(3, 0);
      continue;
    }
    first = a->offsets;
    second = b->offsets;
    d.samples.push_back({y, p.x, p.y, a->time + b->time});
  }
  const optics::CurvedSearch all = optics::FindCurvedPaths(m, s, t);
  for (const optics::CurvedPath& p : all.paths) {
    const std::optional<TimedPoint> at = crossing(p, in.handX);
    if (!at) continue;
    d.stationary.push_back({at->x, at->y, at->time, kindAlong(d.samples, p, *at)});
    if (!d.least || at->time < d.least->time) d.least = at;
  }
  const std::optional<optics::CurvedPath> a = leg(m, s, {in.handX, in.handY}, std::vector<double>(3, 0));
  const std::optional<optics::CurvedPath> b = leg(m, {in.handX, in.handY}, t, std::vector<double>(3, 0));
  d.hand = {in.handX, in.handY, a && b ? a->time + b->time : NAN};
  return d;
}

}  // namespace graphs
