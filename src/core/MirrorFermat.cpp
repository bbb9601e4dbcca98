#include "core/MirrorFermat.h"

#include "core/Constants.h"

#include <cmath>

namespace core {

numeric::Colour StationaryColour(optics::StationaryKind k) noexcept {
  switch (k) {
    case optics::StationaryKind::Minimum: return numeric::kBlue;
    case optics::StationaryKind::Maximum: return numeric::kRed;
    case optics::StationaryKind::Inflection: return numeric::kMagenta;
    case optics::StationaryKind::Constant: return numeric::Rgb(0, 128, 0);
  }
  return numeric::kBlack;
}

namespace {

// Length of the dotted normal drawn at a stationary point, world units.
constexpr double kNormalLength = 60;
// Paths drawn along a mirror of constant time.
constexpr int kConstantPaths = 9;

void path(Drawing& d, const optics::Mirror& m, SourcePoint s, Point t, double u, numeric::Colour c) {
  const optics::MirrorPoint p = m.at(u), n = m.normal(u);
  d.DrawStyle(0);
  d.Line(s.x, s.y, p.X, p.Y, c);
  d.LineTo(t.x, t.y, c);
  d.DrawStyle(2);  // dotted
  d.Line(p.X, p.Y, p.X + kNormalLength * n.X, p.Y + kNormalLength * n.Y);
  d.DrawStyle(0);
}

}  // namespace

MirrorFermatResult MirrorPositionByFermat(const optics::Mirror& m, SourcePoint source, Point target, double speed) {
  MirrorFermatResult r{.Source = source, .Target = target};
  r.Stationary = optics::StationaryPoints(m, source.x, source.y, target.x, target.y, speed);
  const auto& points = r.Stationary.Points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!r.Least || points[i].Time < points[*r.Least].Time) r.Least = i;
  }
  Drawing& d = r.drawing;
  if (!r.Least) {
    d.Message(kNotFound);
    return r;
  }
  if (r.Stationary.Constant) {
    const double from = r.Stationary.StretchFrom, to = r.Stationary.StretchTo;
    for (int i = 0; i < kConstantPaths; ++i) {
      const double u = from + (to - from) * (i + 0.5) / kConstantPaths;
      path(d, m, source, target, u, StationaryColour(optics::StationaryKind::Constant));
    }
  } else {
    for (const optics::StationaryPoint& p : points) path(d, m, source, target, p.U, StationaryColour(p.Kind));
  }
  const optics::StationaryPoint& least = points[*r.Least];
  d.MoveEntry(least.X, least.Y);
  d.Show(Caption::MirrorAngles, least.Incidence * optics::kDegreesPerRadian,
         least.Reflection * optics::kDegreesPerRadian);
  // A mirror of constant time has no count of paths: every one is stationary.
  if (r.Stationary.Constant) {
    d.Show(Caption::StationaryStretch, 0);
  } else {
    d.Show(Caption::StationaryCount, static_cast<double>(points.size()));
  }
  d.Show(Caption::FermatTime, least.Time);
  return r;
}

std::vector<Point> MirrorOutline(const optics::Mirror& m, int steps) {
  std::vector<Point> out;
  out.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const double u = i == steps ? m.uMax() : m.uMin() + (m.uMax() - m.uMin()) * i / steps;
    const optics::MirrorPoint p = m.at(u);
    out.push_back({p.X, p.Y});
  }
  return out;
}

double NearestParameter(const optics::Mirror& m, double x, double y) {
  auto distance2 = [&](double u) {
    const optics::MirrorPoint p = m.at(u);
    return (p.X - x) * (p.X - x) + (p.Y - y) * (p.Y - y);
  };
  constexpr int kSteps = 256;
  const double lo = m.uMin(), step = (m.uMax() - lo) / kSteps;
  int best = 0;
  double nearest = distance2(lo);
  for (int i = 1; i <= kSteps; ++i) {
    if (const double d = distance2(lo + step * i); d < nearest) {
      nearest = d;
      best = i;
    }
  }
  // Golden-section search within the neighbouring steps.
  double a = lo + step * std::max(best - 1, 0), b = lo + step * std::min(best + 1, kSteps);
  const double g = (std::sqrt(5.0) - 1) / 2;
  for (int k = 0; k < 60; ++k) {
    const double c = b - g * (b - a), e = a + g * (b - a);
    if (distance2(c) < distance2(e)) {
      b = e;
    } else {
      a = c;
    }
  }
  return (a + b) / 2;
}

}  // namespace core
