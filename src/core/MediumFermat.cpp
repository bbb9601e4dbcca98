#include "core/MediumFermat.h"

#include "core/Constants.h"
#include "optics/RayEquation.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// One point of the ray equation's path in the picture per this many steps:
// 8000 steps drawn as 200 segments, each within a hundredth of a pixel of
// the integrated curve at the picture's scale.
constexpr std::size_t kRayPointEvery = 40;

// The point of the path at half its time.
optics::PlanePoint halfway(const optics::CurvedPath& p) {
  const double half = p.time / 2;
  for (std::size_t i = 1; i < p.points.size(); ++i) {
    if (p.times[i] >= half) {
      const double f = (half - p.times[i - 1]) / (p.times[i] - p.times[i - 1]);
      return {p.points[i - 1].x + f * (p.points[i].x - p.points[i - 1].x),
              p.points[i - 1].y + f * (p.points[i].y - p.points[i - 1].y)};
    }
  }
  return p.points.back();
}

}  // namespace

CheckedPath CheckPath(const optics::Medium& medium, optics::CurvedPath path) {
  CheckedPath c{.Path = std::move(path)};
  const optics::CurvedPath& p = c.Path;
  const double length = optics::PolylineLength(p.points);
  const std::vector<optics::PlanePoint> ray =
      optics::IntegrateRay(medium, p.points.front(), p.directionX, p.directionY, 1.05 * length, length / 8000);
  c.RayDistance = optics::LargestDistance(p.points, ray);
  for (std::size_t i = 0; i < ray.size(); i += kRayPointEvery) c.Ray.push_back({ray[i].x, ray[i].y});
  if (!ray.empty() && (ray.size() - 1) % kRayPointEvery != 0) c.Ray.push_back({ray.back().x, ray.back().y});
  return c;
}

MediumFermatResult MediumPositionByFermat(const optics::Medium& medium, SourcePoint source, Point target) {
  MediumFermatResult r{.Source = source, .Target = target};
  optics::CurvedSearch s = optics::FindCurvedPaths(medium, {source.x, source.y}, {target.x, target.y});
  Drawing& d = r.drawing;
  if (s.paths.empty()) {
    r.Error = std::move(s.error);
    d.Message(kNotFound);
    return r;
  }
  int saddles = 0;
  for (optics::CurvedPath& p : s.paths) {
    r.Paths.push_back(CheckPath(medium, std::move(p)));
    r.Agreement = std::max(r.Agreement, r.Paths.back().RayDistance);
    if (!r.Paths.back().Path.minimum()) ++saddles;
  }
  // The saddles first, so that the least path lies on top.
  for (std::size_t i = r.Paths.size(); i-- > 0;) {
    const CheckedPath& c = r.Paths[i];
    d.DrawWidth(i == 0 ? 3 : 2);  // wide enough for the colour to show beside the dots
    d.Polyline(c.Path.points, c.Path.minimum() ? kMinimumPathColour : kSaddlePathColour);
    d.DrawWidth(1);
    d.DrawStyle(2);  // dotted
    d.Polyline(c.Ray, kRayEquationColour);
    d.DrawStyle(0);
  }
  const optics::PlanePoint mid = halfway(r.Paths.front().Path);
  d.MoveEntry(mid.x, mid.y);
  d.Show(Caption::CurvedPaths, static_cast<double>(r.Paths.size()), saddles);
  d.Show(Caption::RayAgreement, r.Agreement);
  d.Show(Caption::FermatTime, r.Paths.front().Path.time);
  return r;
}

ViaPath PathThrough(const optics::Medium& medium, Point source, Point via, Point target) {
  ViaPath v;
  double time = 0;
  for (const auto& [a, b] : {std::pair{source, via}, std::pair{via, target}}) {
    const optics::PlanePoint from{a.x, a.y}, to{b.x, b.y};
    std::optional<optics::CurvedPath> leg;
    if (std::hypot(b.x - a.x, b.y - a.y) > 1e-9 && medium.defined(a.x, a.y) && medium.defined(b.x, b.y)) {
      leg = optics::RefineCurvedPath(medium, from, to, std::vector<double>(3, 0), {.maxSegments = 128});
    }
    if (!leg) {
      // A leg without a least-time path is drawn straight, and has no time.
      if (v.Points.empty()) v.Points.push_back(a);
      v.Points.push_back(b);
      v.Time.reset();
      time = NAN;
      continue;
    }
    for (std::size_t i = v.Points.empty() ? 0 : 1; i < leg->points.size(); ++i) {
      v.Points.push_back({leg->points[i].x, leg->points[i].y});
    }
    time += leg->time;
  }
  if (std::isfinite(time)) v.Time = time;
  return v;
}

}  // namespace core
