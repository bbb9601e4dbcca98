#include "core/MediumBundle.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace core {

namespace {

// The row spans this share of the frame's height.
constexpr double kRowShare = 0.9;

}  // namespace

MediumBundleResult MediumBundle(const optics::Medium& medium, SourcePoint source, Point target, int rays, Frame frame,
                                const MediumBundleResult* warm) {
  MediumBundleResult b{.Source = source, .Target = target, .Rays = rays, .Bounds = frame};
  const int n = std::max(rays, 2);
  const double top = kRowShare * frame.YMax;
  for (int k = 0; k < n; ++k) b.Targets.push_back({target.x, -top + 2 * top * k / (n - 1)});
  const bool sameRow = warm && warm->Targets.size() == b.Targets.size() && warm->Target.x == target.x &&
                       warm->Bounds == frame;
  const optics::PlanePoint a{source.x, source.y};
  const std::vector<double> straight(3, 0);
  std::vector<double> neighbour;
  std::size_t w = 0;  // the warm bundle's path for the target in hand
  for (std::size_t k = 0; k < b.Targets.size(); ++k) {
    const optics::PlanePoint t{b.Targets[k].x, b.Targets[k].y};
    if (!medium.defined(t.x, t.y) || !medium.defined(a.x, a.y) || std::hypot(t.x - a.x, t.y - a.y) < 1e-6) {
      continue;
    }
    std::optional<optics::CurvedPath> best;
    const auto consider = [&](std::optional<optics::CurvedPath> p) {
      if (p && (!best || p->time < best->time)) best = std::move(p);
    };
    if (sameRow) {
      while (w < warm->Of.size() && warm->Of[w] < k) ++w;
      // A target the bundle before had no path to is not searched again
      // while the hand moves: a search that finds nothing is the slowest.
      if (w >= warm->Of.size() || warm->Of[w] != k) continue;
      consider(optics::RefineCurvedPath(medium, a, t, warm->Paths[w].offsets));
    }
    if (!best && neighbour.empty()) {
      optics::CurvedSearch s = optics::FindCurvedPaths(medium, a, t);
      if (!s.paths.empty()) best = std::move(s.paths.front());
    } else if (!best) {
      consider(optics::RefineCurvedPath(medium, a, t, neighbour));
      consider(optics::RefineCurvedPath(medium, a, t, straight));
    }
    if (!best) continue;
    neighbour = best->offsets;
    b.LongestTime = std::max(b.LongestTime, best->time);
    b.Paths.push_back(std::move(*best));
    b.Of.push_back(k);
  }
  Drawing& d = b.drawing;
  for (const optics::CurvedPath& p : b.Paths) d.Polyline(p.points);
  return b;
}

std::vector<std::vector<Point>> FrontAt(const MediumBundleResult& bundle, double time) {
  std::vector<std::vector<Point>> pieces(1);
  std::size_t lastTarget = 0;
  for (std::size_t j = 0; j < bundle.Paths.size(); ++j) {
    const optics::CurvedPath& p = bundle.Paths[j];
    // Paths are neighbours when their targets are: a gap breaks the front.
    if (j > 0 && bundle.Of[j] != lastTarget + 1 && !pieces.back().empty()) pieces.emplace_back();
    lastTarget = bundle.Of[j];
    if (!(time >= 0) || p.times.empty() || time > p.times.back()) {
      if (!pieces.back().empty()) pieces.emplace_back();
      continue;
    }
    const auto at = std::lower_bound(p.times.begin(), p.times.end(), time);
    const std::size_t i = static_cast<std::size_t>(std::max<std::ptrdiff_t>(at - p.times.begin(), 1));
    const double span = p.times[i] - p.times[i - 1];
    const double f = span > 0 ? (time - p.times[i - 1]) / span : 0;
    pieces.back().push_back({p.points[i - 1].x + f * (p.points[i].x - p.points[i - 1].x),
                             p.points[i - 1].y + f * (p.points[i].y - p.points[i - 1].y)});
  }
  std::erase_if(pieces, [](const std::vector<Point>& piece) { return piece.size() < 2; });
  return pieces;
}

Drawing FrontsDrawing(const MediumBundleResult& bundle, const std::vector<double>& times, int width) {
  Drawing d;
  d.DrawWidth(width);
  for (const double t : times) {
    for (const std::vector<Point>& piece : FrontAt(bundle, t)) d.Polyline(piece, kMediumFrontColour);
  }
  d.DrawWidth(1);
  return d;
}

}  // namespace core
