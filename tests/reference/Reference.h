#pragma once

// An independent least-time solver for the standard lens, written from the
// geometry alone: the constructions' end points and angles are checked
// against it, never against numbers taken from the program.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace reference {

// The lens in world units: first surface about (+c, 0), second about (-c, 0). Speeds 2 in air, 1 in glass.
inline constexpr double kC = 165, kR = 180, kCritical = std::numbers::pi / 6, kDeg = 180 / std::numbers::pi;

struct Pt {
  double x = 0, y = 0;
};

// Exit point i of a bundle of n + 1 rays, evenly spaced strictly inside the rims.
inline Pt bundleExit(int i, int n) {
  const double rim = std::atan(std::sqrt(kR * kR - kC * kC) / kC), a = -rim + (i + 1) * 2 * rim / (n + 2);
  return {kR * std::cos(a) - kC, kR * std::sin(a)};
}

// Least-time path from s to p through the first surface, found by ever finer scans of its circle.
struct Path {
  Pt entry;
  double time = 0;
};
inline Path leastTime(Pt s, Pt p) {
  auto on = [](double th) { return Pt{kC - kR * std::cos(th), kR * std::sin(th)}; };
  auto at = [&](double th) {
    return std::hypot(on(th).x - s.x, on(th).y - s.y) / 2 + std::hypot(p.x - on(th).x, p.y - on(th).y);
  };
  double best = 0;
  for (double step : {1e-3, 1e-6, 1e-9})
    for (double th = best - 1000 * step, end = best + 1000 * step; th <= end; th += step)
      best = at(th) < at(best) ? th : best;
  return {on(best), at(best)};
}

// Angle (radians, up to pi/2) between the ray entry -> p inside the glass and the second surface's normal at p.
inline double incidence(Pt entry, Pt p) {
  const double ax = p.x - entry.x, ay = p.y - entry.y, nx = p.x + kC, ny = p.y;
  const double a = std::abs(std::atan2(ax * ny - ay * nx, ax * nx + ay * ny));
  return std::min(a, std::numbers::pi - a);
}

// Signed angle from the outward normal of the second surface at p to the direction (dx, dy), in (-pi, pi].
inline double fromNormal(Pt p, double dx, double dy) {
  const double nx = p.x + kC, ny = p.y;
  return std::atan2(nx * dy - ny * dx, nx * dx + ny * dy);
}

// |cross| / (|u| |v|): the sine of the angle between two directions; 0 when they are parallel.
inline double skew(double ux, double uy, double vx, double vy) {
  return std::abs(ux * vy - uy * vx) / (std::hypot(ux, uy) * std::hypot(vx, vy));
}

// gtest parameter names from a table case's `name`.
struct ByName {
  template <class Info>
  std::string operator()(const Info& info) const {
    return info.param.name;
  }
};

}  // namespace reference
