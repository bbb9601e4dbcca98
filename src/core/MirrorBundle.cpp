#include "core/MirrorBundle.h"

#include "core/Constants.h"
#include "optics/Stationary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace core {
namespace {

// A unit direction's component across the axis below which it runs along it.
constexpr double kParallel = 1e-9;

// How far along d from (x, y) the ray leaves the frame [-XMax, XMax] x
// [-YMax, YMax]; 0 when it starts outside heading away.
double exitDistance(double x, double y, double dx, double dy, Frame f) {
  double t = std::numeric_limits<double>::infinity();
  if (dx > 0) t = std::min(t, (f.XMax - x) / dx);
  if (dx < 0) t = std::min(t, (-f.XMax - x) / dx);
  if (dy > 0) t = std::min(t, (f.YMax - y) / dy);
  if (dy < 0) t = std::min(t, (-f.YMax - y) / dy);
  return std::isfinite(t) ? std::max(t, 0.0) : 0.0;
}

}  // namespace

std::optional<Point> StationaryDirection(const optics::Mirror& m, double u, double sx, double sy) {
  const optics::MirrorPoint p = m.at(u);
  const double ex = p.X - sx, ey = p.Y - sy, el = std::hypot(ex, ey);
  if (!(el > 0)) return std::nullopt;
  return StationaryDirectionAlong(m, u, ex / el, ey / el);
}

std::optional<Point> StationaryDirectionAlong(const optics::Mirror& m, double u, double ex, double ey) {
  const optics::MirrorPoint p = m.at(u), n = m.normal(u);
  const double tl = std::hypot(p.Dx, p.Dy);
  if (!(tl > 0)) return std::nullopt;
  const double tx = p.Dx / tl, ty = p.Dy / tl;
  // The front normal points to the side the light comes from: arriving light
  // runs against it.
  const double along = ex * tx + ey * ty, across = ex * n.X + ey * n.Y;
  if (!(across < 0)) return std::nullopt;
  const double out = std::sqrt(std::max(0.0, 1 - along * along));
  return Point{along * tx + out * n.X, along * ty + out * n.Y};
}

MirrorRayResult ContinueMirrorRay(const optics::Mirror& m, SourcePoint source, Point target, Frame frame,
                                  double speed) {
  MirrorRayResult r;
  const optics::StationaryResult st = optics::StationaryPoints(m, source.x, source.y, target.x, target.y, speed);
  const optics::StationaryPoint* least = nullptr;
  for (const optics::StationaryPoint& p : st.Points) {
    if (!least || p.Time < least->Time) least = &p;
  }
  const std::optional<Point> dir = least ? StationaryDirection(m, least->U, source.x, source.y) : std::nullopt;
  if (!dir) {
    r.drawing.Message(kNotFound);
    return r;
  }
  MirrorRay ray{.U = least->U, .X = least->X, .Y = least->Y, .Dx = dir->x, .Dy = dir->y,
                .Time = std::hypot(least->X - source.x, least->Y - source.y) / speed, .Lit = true};
  if (std::abs(ray.Dy) > kParallel) ray.AxisX = ray.X - ray.Y * ray.Dx / ray.Dy;
  const double reach = exitDistance(ray.X, ray.Y, ray.Dx, ray.Dy, frame);
  ray.Drawn = {ray.X, ray.Y, ray.X + reach * ray.Dx, ray.Y + reach * ray.Dy};
  Drawing& d = r.drawing;
  d.Line(source.x, source.y, ray.X, ray.Y);
  d.Line(ray.Drawn.x1, ray.Drawn.y1, ray.Drawn.x2, ray.Drawn.y2, numeric::kRed);
  d.MoveEntry(ray.X, ray.Y);
  d.Show(Caption::MirrorAngles, least->Incidence * optics::kDegreesPerRadian,
         least->Reflection * optics::kDegreesPerRadian);
  r.Ray = ray;
  r.Time = least->Time;
  return r;
}

MirrorBundleResult ReflectBundle(const optics::Mirror& m, SourcePoint source, int n, Frame frame, double speed,
                                 bool parallel) {
  MirrorBundleResult r{.Source = source, .N = std::max(n, 0)};
  r.Rays.resize(static_cast<std::size_t>(r.N) + 1);
  Drawing& d = r.drawing;
  for (int i = 0; i <= r.N; ++i) {
    MirrorRay& ray = r.Rays[static_cast<std::size_t>(i)];
    ray.U = m.uMin() + (m.uMax() - m.uMin()) * (i + 0.5) / (r.N + 1);
    const optics::MirrorPoint p = m.at(ray.U);
    ray.X = p.X;
    ray.Y = p.Y;
    // Where the ray is drawn from: the source, or the beam's entry at the frame's left edge.
    const double fromX = parallel ? -frame.XMax : source.x, fromY = parallel ? p.Y : source.y;
    ray.Time = std::hypot(p.X - fromX, p.Y - fromY) / speed;
    const std::optional<Point> dir =
        parallel ? StationaryDirectionAlong(m, ray.U, 1, 0) : StationaryDirection(m, ray.U, source.x, source.y);
    if (!dir) continue;
    ray.Lit = true;
    ray.Dx = dir->x;
    ray.Dy = dir->y;
    // A ray parallel to the axis within rounding (from a parabola's focus) crosses it nowhere.
    if (std::abs(ray.Dy) > kParallel) ray.AxisX = ray.X - ray.Y * ray.Dx / ray.Dy;
    const double reach = exitDistance(ray.X, ray.Y, ray.Dx, ray.Dy, frame);
    ray.Drawn = {ray.X, ray.Y, ray.X + reach * ray.Dx, ray.Y + reach * ray.Dy};
    d.DrawWidth(4);
    d.PSet(ray.X, ray.Y);
    d.DrawWidth(1);
    d.Line(fromX, fromY, ray.X, ray.Y);
    d.Line(ray.Drawn.x1, ray.Drawn.y1, ray.Drawn.x2, ray.Drawn.y2);
  }
  d.DrawWidth(1);
  return r;
}

}  // namespace core
