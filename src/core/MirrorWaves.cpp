#include "core/MirrorWaves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace core {
namespace {

constexpr double kQuarter = std::numbers::pi / 2;

// An angle in [0, 2 pi), as an arc's ends are given.
double turn(double a) {
  const double t = std::fmod(a, 2 * std::numbers::pi);
  return t < 0 ? t + 2 * std::numbers::pi : t;
}

}  // namespace

MirrorWavesResult MirrorWaves(const optics::Mirror& m, SourcePoint source, int n, Frame frame, double speed,
                              double after, bool wavelets, bool front, bool parallel) {
  MirrorWavesResult r{.Bundle = ReflectBundle(m, source, n, frame, speed, parallel)};
  const std::vector<MirrorRay>& rays = r.Bundle.Rays;
  for (const MirrorRay& ray : rays) {
    if (ray.Lit) r.Latest = std::max(r.Latest, ray.Time);
  }
  r.Instant = r.Latest + after;
  r.Radius.assign(rays.size(), 0);
  r.Front.assign(rays.size(), std::nullopt);
  for (std::size_t i = 0; i < rays.size(); ++i) {
    if (!rays[i].Lit) continue;
    r.Radius[i] = speed * (r.Instant - rays[i].Time);
    r.Front[i] = Point{rays[i].X + r.Radius[i] * rays[i].Dx, rays[i].Y + r.Radius[i] * rays[i].Dy};
  }
  Drawing& d = r.drawing;
  d.Append(r.Bundle.drawing);
  if (wavelets) {
    // Only the half of each wavelet in front of the mirror: behind it no light goes.
    d.FillStyle(1);
    for (std::size_t i = 0; i < rays.size(); ++i) {
      if (!rays[i].Lit) continue;
      const optics::MirrorPoint normal = m.normal(rays[i].U);
      const double facing = std::atan2(normal.Y, normal.X);
      d.Arc(rays[i].X, rays[i].Y, r.Radius[i], turn(facing - kQuarter), turn(facing + kQuarter));
    }
  }
  if (front) {
    d.DrawWidth(2);
    bool started = false;
    for (const std::optional<Point>& p : r.Front) {
      if (!p) {
        started = false;  // an unlit ray breaks the front
        continue;
      }
      if (started) {
        d.LineTo(p->x, p->y, numeric::kBlue);
      } else {
        d.Line(p->x, p->y, p->x, p->y, numeric::kBlue);
        started = true;
      }
    }
    d.DrawWidth(1);
  }
  d.FillStyle(1);
  return r;
}

}  // namespace core
