#include "optics/RayEquation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace optics {

namespace {

struct State {
  double x = 0, y = 0, px = 0, py = 0;  // position and momentum n t
};

// ds of the state: dx/ds = p / n, dp/ds = grad n.
State rate(const Medium& medium, const State& s) {
  const IndexAt n = medium.at(s.x, s.y);
  return {s.px / n.n, s.py / n.n, n.dx, n.dy};
}

State plus(const State& s, const State& d, double h) {
  return {s.x + h * d.x, s.y + h * d.y, s.px + h * d.px, s.py + h * d.py};
}

// One layered step: straight within a layer; at a boundary the momentum
// along it is kept, the one across it follows from |p| = n on the far side,
// or the ray turns back where n there is below the kept component. Each
// crossing is a corner of the ray, added to it so that the polyline keeps it.
State layerStep(const Medium& medium, State s, double h, std::vector<PlanePoint>& corners) {
  const std::vector<double>& ys = medium.design().Y;
  double left = h;
  for (int crossings = 0; left > 0 && crossings < 64; ++crossings) {
    const double n = medium.at(s.x, s.y).n;
    const double tx = s.px / n, ty = s.py / n;
    // The nearest boundary ahead within the step.
    double reach = left;
    double boundary = 0;
    bool hits = false;
    for (const double y : ys) {
      if (ty == 0) break;
      const double d = (y - s.y) / ty;
      if (d > 1e-12 && d < reach) {
        reach = d;
        boundary = y;
        hits = true;
      }
    }
    s.x += reach * tx;
    s.y += reach * ty;
    left -= reach;
    if (!hits) break;
    s.y = boundary;
    corners.push_back({s.x, s.y});
    // Just past the boundary: the far layer's index.
    const double beyond = medium.at(s.x, boundary + (ty > 0 ? 1e-9 : -1e-9) * (1 + std::abs(boundary))).n;
    const double across = beyond * beyond - s.px * s.px;
    if (across > 0) {
      s.py = std::copysign(std::sqrt(across), ty);
      s.y = boundary + (ty > 0 ? 1e-9 : -1e-9) * (1 + std::abs(boundary));
    } else {
      s.py = -s.py;  // turned back: total reflection at the boundary
      s.y = boundary + (ty > 0 ? -1e-9 : 1e-9) * (1 + std::abs(boundary));
    }
  }
  return s;
}

double segmentDistance(PlanePoint p, PlanePoint a, PlanePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double l2 = dx * dx + dy * dy;
  double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

std::vector<PlanePoint> IntegrateRay(const Medium& medium, PlanePoint from, double directionX, double directionY,
                                    double length, double step) {
  std::vector<PlanePoint> ray{from};
  const double dl = std::sqrt(directionX * directionX + directionY * directionY);
  if (!medium.defined(from.x, from.y) || !(dl > 0) || !(step > 0) || !(length > 0) || !std::isfinite(length)) {
    return ray;
  }
  const double n0 = medium.at(from.x, from.y).n;
  State s{from.x, from.y, n0 * directionX / dl, n0 * directionY / dl};
  const bool layered = medium.design().Profile == MediumProfile::Layers;
  const auto steps = static_cast<std::size_t>(std::min(std::ceil(length / step), 1e6));
  ray.reserve(steps + 1);
  for (std::size_t i = 0; i < steps; ++i) {
    State next;
    if (layered) {
      next = layerStep(medium, s, step, ray);
    } else {
      const State k1 = rate(medium, s);
      const State m1 = plus(s, k1, step / 2);
      if (!medium.defined(m1.x, m1.y)) break;
      const State k2 = rate(medium, m1);
      const State m2 = plus(s, k2, step / 2);
      if (!medium.defined(m2.x, m2.y)) break;
      const State k3 = rate(medium, m2);
      const State e = plus(s, k3, step);
      if (!medium.defined(e.x, e.y)) break;
      const State k4 = rate(medium, e);
      next = {s.x + step / 6 * (k1.x + 2 * k2.x + 2 * k3.x + k4.x),
              s.y + step / 6 * (k1.y + 2 * k2.y + 2 * k3.y + k4.y),
              s.px + step / 6 * (k1.px + 2 * k2.px + 2 * k3.px + k4.px),
              s.py + step / 6 * (k1.py + 2 * k2.py + 2 * k3.py + k4.py)};
    }
    if (!medium.defined(next.x, next.y)) break;
    s = next;
    ray.push_back({s.x, s.y});
  }
  return ray;
}

double LargestDistance(const std::vector<PlanePoint>& path, const std::vector<PlanePoint>& ray) {
  if (ray.size() < 2) return path.empty() ? 0 : std::numeric_limits<double>::infinity();
  double largest = 0;
  std::size_t j = 0;  // the ray's segment nearest the previous point: both run forward together
  for (const PlanePoint& p : path) {
    double best = segmentDistance(p, ray[j], ray[j + 1]);
    while (j + 2 < ray.size()) {
      const double next = segmentDistance(p, ray[j + 1], ray[j + 2]);
      if (next > best) break;
      best = next;
      ++j;
    }
    largest = std::max(largest, best);
  }
  return largest;
}

double PolylineLength(const std::vector<PlanePoint>& path) {
  double l = 0;
  for (std::size_t i = 1; i < path.size(); ++i) l += std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
  return l;
}

}  // namespace optics
