#include "optics/CurvedPath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace optics {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kMaxNewtonSteps = 60;

// The chord's frame: station i stands at A + (i / N) d + w_i e, with e the
// unit normal to the left of d.
struct Chord {
  PlanePoint a;
  double dx = 0, dy = 0, length = 0, ex = 0, ey = 0;
  Chord(PlanePoint from, PlanePoint to) : a(from), dx(to.x - from.x), dy(to.y - from.y) {
    length = std::sqrt(dx * dx + dy * dy);
    ex = -dy / length;
    ey = dx / length;
  }
  [[nodiscard]] PlanePoint station(std::size_t i, std::size_t n, double w) const noexcept {
    const double s = static_cast<double>(i) / static_cast<double>(n);
    return {a.x + s * dx + w * ex, a.y + s * dy + w * ey};
  }
};

// One segment's mean index m over it and m's derivatives with respect to
// the offsets of its first station (p) and its second (q).
struct MeanIndex {
  double m = 0, p = 0, q = 0, pp = 0, pq = 0, qq = 0;
  double gradPx = 0, gradPy = 0;  // dm/dP in the plane, for the momentum
};

// A smooth index: the midpoint rule, m = n((P + Q) / 2).
MeanIndex midpointMean(const Medium& medium, PlanePoint p, PlanePoint q, double ex, double ey) {
  const IndexAt n = medium.at((p.x + q.x) / 2, (p.y + q.y) / 2);
  const double g = ex * n.dx + ey * n.dy;
  const double h = ex * ex * n.xx + 2 * ex * ey * n.xy + ey * ey * n.yy;
  return {.m = n.n, .p = g / 2, .q = g / 2, .pp = h / 4, .pq = h / 4, .qq = h / 4,
          .gradPx = n.dx / 2, .gradPy = n.dy / 2};
}

struct SegmentTime {
  double t = 0, p = 0, q = 0, pp = 0, pq = 0, qq = 0;
  double momentumX = 0, momentumY = 0;  // -dT/dP in the plane
};

// T = L m for the segment P -> Q, with L its length; derivatives along the
// chord's normal e. With a = e.u (u the segment's direction) and
// k = (1 - a^2) / L the length's second derivative along e:
//   T_p = -a m + L m_p,        T_q = a m + L m_q,
//   T_pp = m k - 2 a m_p + L m_pp,  T_qq = m k + 2 a m_q + L m_qq,
//   T_pq = -m k + a (m_p - m_q) + L m_pq.
SegmentTime segmentTime(const Medium& medium, const Chord& c, PlanePoint p, PlanePoint q) {
  const double sx = q.x - p.x, sy = q.y - p.y;
  const double len = std::sqrt(sx * sx + sy * sy);
  const MeanIndex m = midpointMean(medium, p, q, c.ex, c.ey);
  const double ux = sx / len, uy = sy / len;
  const double a = c.ex * ux + c.ey * uy;
  const double k = (1 - a * a) / len;
  return {.t = len * m.m,
          .p = -a * m.m + len * m.p,
          .q = a * m.m + len * m.q,
          .pp = m.m * k - 2 * a * m.p + len * m.pp,
          .pq = -m.m * k + a * (m.p - m.q) + len * m.pq,
          .qq = m.m * k + 2 * a * m.q + len * m.qq,
          .momentumX = ux * m.m - len * m.gradPx,
          .momentumY = uy * m.m - len * m.gradPy};
}

bool segmentInside(const Medium& medium, PlanePoint p, PlanePoint q) {
  return medium.defined(p.x, p.y) && medium.defined(q.x, q.y) && medium.defined((p.x + q.x) / 2, (p.y + q.y) / 2);
}

// The time, its gradient and its tridiagonal Hessian at the offsets w.
struct Assembly {
  bool inside = false;
  double time = 0, momentumX = 0, momentumY = 0;
  std::vector<double> gradient, diagonal, upper;  // indexed by station; interior only are used
  std::vector<double> cumulative;                  // time from A to each station
};

Assembly assemble(const Medium& medium, const Chord& c, const std::vector<double>& w) {
  const std::size_t n = w.size() - 1;
  Assembly r;
  r.gradient.assign(n + 1, 0);
  r.diagonal.assign(n + 1, 0);
  r.upper.assign(n + 1, 0);
  r.cumulative.assign(n + 1, 0);
  PlanePoint p = c.station(0, n, w[0]);
  for (std::size_t i = 0; i < n; ++i) {
    const PlanePoint q = c.station(i + 1, n, w[i + 1]);
    if (!segmentInside(medium, p, q)) return r;
    const SegmentTime s = segmentTime(medium, c, p, q);
    r.time += s.t;
    r.cumulative[i + 1] = r.time;
    r.gradient[i] += s.p;
    r.gradient[i + 1] += s.q;
    r.diagonal[i] += s.pp;
    r.diagonal[i + 1] += s.qq;
    r.upper[i] = s.pq;
    if (i == 0) {
      r.momentumX = s.momentumX;
      r.momentumY = s.momentumY;
    }
    p = q;
  }
  r.inside = std::isfinite(r.time);
  return r;
}

double interiorNorm(const std::vector<double>& g) {
  double m = 0;
  for (std::size_t i = 1; i + 1 < g.size(); ++i) m = std::max(m, std::abs(g[i]));
  return m;
}

// Solves H x = -g over the interior stations by the Thomas algorithm (no
// pivoting: H is symmetric, and where a pivot vanishes the caller shifts
// the diagonal). Counts the negative pivots: by Sylvester's law of inertia
// they are H's negative eigenvalues.
struct TridiagonalSolve {
  bool ok = false;
  int negative = 0;
  std::vector<double> x;
};

TridiagonalSolve solveNewton(const Assembly& h, double shift) {
  const std::size_t n = h.gradient.size() - 1;
  TridiagonalSolve r;
  r.x.assign(n + 1, 0);
  std::vector<double> c(n + 1, 0), d(n + 1, 0);
  double scale = 0;
  for (std::size_t i = 1; i < n; ++i) scale = std::max(scale, std::abs(h.diagonal[i]));
  if (!(scale > 0) || !std::isfinite(scale)) return r;
  for (std::size_t i = 1; i < n; ++i) {
    const double below = i > 1 ? h.upper[i - 1] : 0;
    const double pivot = h.diagonal[i] + shift - (i > 1 ? below * c[i - 1] : 0);
    if (!(std::abs(pivot) > 1e-13 * scale)) return r;
    if (pivot < 0) ++r.negative;
    c[i] = h.upper[i] / pivot;
    d[i] = (-h.gradient[i] - (i > 1 ? below * d[i - 1] : 0)) / pivot;
  }
  r.x[n - 1] = d[n - 1];
  for (std::size_t i = n - 1; i-- > 1;) r.x[i] = d[i] - c[i] * r.x[i + 1];
  r.ok = true;
  return r;
}

}  // namespace

double DiscreteTime(const Medium& medium, PlanePoint a, PlanePoint b, const std::vector<double>& offsets) {
  if (offsets.size() < 2) return kInfinity;
  const Chord c(a, b);
  if (!(c.length > 0) || !std::isfinite(c.length)) return kInfinity;
  const Assembly h = assemble(medium, c, offsets);
  return h.inside ? h.time : kInfinity;
}

DiscretePath SolveDiscretePath(const Medium& medium, PlanePoint a, PlanePoint b, std::vector<double> offsets) {
  DiscretePath r;
  const Chord c(a, b);
  if (offsets.size() < 3 || !(c.length > 0) || !std::isfinite(c.length)) return r;
  offsets.front() = offsets.back() = 0;
  Assembly h = assemble(medium, c, offsets);
  if (!h.inside) return r;
  // A step longer than half the chord would leave the picture at once.
  const double maxStep = c.length / 2;
  // A search that has not halved the gradient in this many steps is
  // wandering (no stationary path near its start): it gives up early, so
  // that the starts that lead nowhere cost little.
  constexpr int kPatience = 12;
  double record = interiorNorm(h.gradient);
  int sinceRecord = 0;
  for (int step = 0; step < kMaxNewtonSteps; ++step) {
    TridiagonalSolve s = solveNewton(h, 0);
    // A singular Hessian (a path exactly at a conjugate point): a small
    // shift makes the step a little shorter, and the next one exact again.
    if (!s.ok) s = solveNewton(h, 1e-9 * (std::abs(h.diagonal[1]) + 1));
    if (!s.ok) return r;
    double longest = 0;
    for (const double x : s.x) longest = std::max(longest, std::abs(x));
    if (!std::isfinite(longest)) return r;
    double factor = longest > maxStep ? maxStep / longest : 1;
    const double before = interiorNorm(h.gradient);
    double used = 0;
    // Twenty halvings: a step a millionth of Newton's lowers nothing a
    // longer one could not.
    for (int halving = 0; halving < 20; ++halving, factor /= 2) {
      std::vector<double> trial = offsets;
      for (std::size_t i = 1; i + 1 < trial.size(); ++i) trial[i] += factor * s.x[i];
      Assembly t = assemble(medium, c, trial);
      if (!t.inside) continue;
      const double after = interiorNorm(t.gradient);
      // The full Newton step near the solution may leave the gradient at
      // rounding level without lowering it further: accept it then.
      if (after < before || (factor == 1 && after <= 1e-12 * (1 + std::abs(h.time) / c.length))) {
        offsets = std::move(trial);
        h = std::move(t);
        used = factor;
        break;
      }
    }
    if (used == 0) {
      // No step lowers the gradient: converged to rounding where the last
      // step was already tiny, otherwise stuck.
      if (!r.steps.empty() && r.steps.back() < 1e-9 * c.length) break;
      return r;
    }
    r.steps.push_back(used * longest);
    if (const double now = interiorNorm(h.gradient); now < record / 2) {
      record = now;
      sinceRecord = 0;
    } else if (++sinceRecord > kPatience && used < 1) {
      return r;
    }
    if (r.steps.back() <= 1e-11 * c.length) break;
    if (step + 1 == kMaxNewtonSteps) return r;
  }
  const TridiagonalSolve inertia = solveNewton(h, 0);
  r.falling = inertia.negative;
  r.offsets = std::move(offsets);
  r.time = h.time;
  r.momentumX = h.momentumX;
  r.momentumY = h.momentumY;
  r.converged = true;
  return r;
}

std::vector<double> Resample(const std::vector<double>& offsets, int count) {
  const std::size_t n = static_cast<std::size_t>(std::max(count, 1));
  std::vector<double> r(n + 1, 0);
  if (offsets.size() < 2) return r;
  const double m = static_cast<double>(offsets.size() - 1);
  for (std::size_t i = 1; i < n; ++i) {
    const double at = m * static_cast<double>(i) / static_cast<double>(n);
    const std::size_t k = std::min(static_cast<std::size_t>(at), offsets.size() - 2);
    const double f = at - static_cast<double>(k);
    r[i] = offsets[k] * (1 - f) + offsets[k + 1] * f;
  }
  return r;
}

namespace {

// Richardson's rule on the offsets of the coarse stations.
std::vector<double> extrapolated(const std::vector<double>& coarse, const std::vector<double>& fine) {
  std::vector<double> r(coarse.size());
  for (std::size_t i = 0; i < coarse.size(); ++i) r[i] = (4 * fine[2 * i] - coarse[i]) / 3;
  return r;
}

// The starting momentum's Richardson rule over three resolutions N, 2N,
// 4N: p(h) = p + a h^2 + b h^3, so R(h) = (4 p(h/2) - p(h)) / 3 leaves
// -b h^3 / 6, and (8 R(h/2) - R(h)) / 7 cancels that too.
struct Momentum {
  double x = 0, y = 0;
};
Momentum richardson(const std::vector<Momentum>& levels) {
  const std::size_t k = levels.size();
  const auto r1 = [&](std::size_t i) {
    return Momentum{(4 * levels[i + 1].x - levels[i].x) / 3, (4 * levels[i + 1].y - levels[i].y) / 3};
  };
  if (k < 3) return r1(k - 2);
  const Momentum a = r1(k - 3), b = r1(k - 2);
  return {(8 * b.x - a.x) / 7, (8 * b.y - a.y) / 7};
}

CurvedPath pathOf(const Medium& medium, PlanePoint a, PlanePoint b, const DiscretePath& coarse,
                  const DiscretePath& fine, const std::vector<double>& w, Momentum m) {
  const Chord c(a, b);
  const std::size_t n = w.size() - 1;
  CurvedPath p;
  p.segments = static_cast<int>(n);
  p.offsets = w;
  p.falling = fine.falling;
  p.time = (4 * fine.time - coarse.time) / 3;
  const double ml = std::sqrt(m.x * m.x + m.y * m.y);
  p.directionX = m.x / ml;
  p.directionY = m.y / ml;
  const Assembly hc = assemble(medium, c, coarse.offsets), hf = assemble(medium, c, fine.offsets);
  p.points.reserve(n + 1);
  p.times.reserve(n + 1);
  for (std::size_t i = 0; i <= n; ++i) {
    p.points.push_back(c.station(i, n, w[i]));
    p.times.push_back((4 * hf.cumulative[2 * i] - hc.cumulative[i]) / 3);
  }
  p.points.back() = b;  // exactly the target, not its rounding
  return p;
}

// Layers: the crossings' heights from A towards B, and the index of each
// piece between them.
struct Pieces {
  std::vector<double> y;      // y[0] = A's height ... y.back() = B's
  std::vector<double> n;      // one per piece
};

Pieces piecesOf(const Medium& medium, PlanePoint a, PlanePoint b) {
  Pieces p;
  p.y.push_back(a.y);
  std::vector<double> between;
  for (const double y : medium.design().Y) {
    if (y > std::min(a.y, b.y) && y < std::max(a.y, b.y)) between.push_back(y);
  }
  if (b.y < a.y) std::reverse(between.begin(), between.end());
  p.y.insert(p.y.end(), between.begin(), between.end());
  p.y.push_back(b.y);
  for (std::size_t i = 0; i + 1 < p.y.size(); ++i) p.n.push_back(medium.at(0, (p.y[i] + p.y[i + 1]) / 2).n);
  return p;
}

CurvedPath layeredPath(const Medium& medium, PlanePoint a, PlanePoint b, int segments) {
  const Pieces pc = piecesOf(medium, a, b);
  const std::size_t k = pc.n.size();  // pieces; k - 1 free crossings
  std::vector<double> x(k + 1);
  for (std::size_t i = 0; i <= k; ++i) {
    // The straight line's crossings: the start, and a strictly convex time.
    x[i] = b.y == a.y ? a.x : a.x + (b.x - a.x) * (pc.y[i] - a.y) / (b.y - a.y);
  }
  const auto time = [&](const std::vector<double>& xs) {
    double t = 0;
    for (std::size_t i = 0; i < k; ++i) t += pc.n[i] * std::hypot(xs[i + 1] - xs[i], pc.y[i + 1] - pc.y[i]);
    return t;
  };
  for (int step = 0; step < kMaxNewtonSteps && k > 1; ++step) {
    // d(n l)/dx = n dx / l and d2(n l)/dx2 = n dy^2 / l^3 for each piece.
    std::vector<double> g(k + 1, 0), d(k + 1, 0), off(k + 1, 0);
    for (std::size_t i = 0; i < k; ++i) {
      const double dx = x[i + 1] - x[i], dy = pc.y[i + 1] - pc.y[i];
      const double l = std::hypot(dx, dy);
      const double slope = pc.n[i] * dx / l, curve = pc.n[i] * dy * dy / (l * l * l);
      g[i] -= slope;
      g[i + 1] += slope;
      d[i] += curve;
      d[i + 1] += curve;
      off[i] = -curve;
    }
    // Thomas over the crossings 1 .. k - 1 (positive definite: no pivoting).
    std::vector<double> cc(k + 1, 0), dd(k + 1, 0), dxs(k + 1, 0);
    for (std::size_t i = 1; i < k; ++i) {
      const double below = i > 1 ? off[i - 1] : 0;
      const double pivot = d[i] - (i > 1 ? below * cc[i - 1] : 0);
      cc[i] = off[i] / pivot;
      dd[i] = (-g[i] - (i > 1 ? below * dd[i - 1] : 0)) / pivot;
    }
    dxs[k - 1] = dd[k - 1];
    for (std::size_t i = k - 1; i-- > 1;) dxs[i] = dd[i] - cc[i] * dxs[i + 1];
    // Convex: halve the step until the time falls.
    const double before = time(x);
    double factor = 1, longest = 0;
    std::vector<double> trial;
    for (int halving = 0; halving < 40; ++halving, factor /= 2) {
      trial = x;
      for (std::size_t i = 1; i < k; ++i) trial[i] += factor * dxs[i];
      if (time(trial) <= before) break;
    }
    for (std::size_t i = 1; i < k; ++i) longest = std::max(longest, std::abs(factor * dxs[i]));
    x = std::move(trial);
    if (!(longest > 1e-12 * (1 + std::abs(b.x - a.x)))) break;
  }
  CurvedPath p;
  p.time = time(x);
  const double total = [&] {
    double l = 0;
    for (std::size_t i = 0; i < k; ++i) l += std::hypot(x[i + 1] - x[i], pc.y[i + 1] - pc.y[i]);
    return l;
  }();
  p.points.push_back(a);
  p.times.push_back(0);
  double elapsed = 0;
  for (std::size_t i = 0; i < k; ++i) {
    const double l = std::hypot(x[i + 1] - x[i], pc.y[i + 1] - pc.y[i]);
    if (i == 0) {
      p.directionX = (x[1] - x[0]) / l;
      p.directionY = (pc.y[1] - pc.y[0]) / l;
    }
    // Points along the piece, in proportion to its share of the length.
    const int parts = std::max(1, static_cast<int>(std::lround(segments * l / total)));
    for (int j = 1; j <= parts; ++j) {
      const double f = static_cast<double>(j) / parts;
      p.points.push_back({x[i] + f * (x[i + 1] - x[i]), pc.y[i] + f * (pc.y[i + 1] - pc.y[i])});
      p.times.push_back(elapsed + f * pc.n[i] * l);
    }
    elapsed += pc.n[i] * l;
  }
  p.points.back() = b;
  p.segments = static_cast<int>(p.points.size()) - 1;
  return p;
}

}  // namespace

std::optional<CurvedPath> RefineCurvedPath(const Medium& medium, PlanePoint a, PlanePoint b,
                                           const std::vector<double>& start, const CurvedPathOptions& options) {
  int n = std::max(options.segments, 64);
  DiscretePath coarse = SolveDiscretePath(medium, a, b, Resample(start, n));
  if (!coarse.converged) return std::nullopt;
  std::vector<Momentum> momenta{{coarse.momentumX, coarse.momentumY}};
  std::vector<double> previous;
  while (true) {
    DiscretePath fine = SolveDiscretePath(medium, a, b, Resample(coarse.offsets, 2 * n));
    // A finer path that is not the coarse one refined (it fell to another
    // stationary path) is no refinement.
    if (!fine.converged || fine.falling != coarse.falling) return std::nullopt;
    momenta.push_back({fine.momentumX, fine.momentumY});
    std::vector<double> w = extrapolated(coarse.offsets, fine.offsets);
    double change = kInfinity;
    if (!previous.empty()) {
      change = 0;
      for (std::size_t i = 0; i < previous.size(); ++i) change = std::max(change, std::abs(w[2 * i] - previous[i]));
    }
    if (change <= options.tolerance) return pathOf(medium, a, b, coarse, fine, w, richardson(momenta));
    if (4 * n > options.maxSegments) {
      // Not settled at the finest N. A path that still moves by a
      // thousandth of its chord is no solution of the smooth problem (a
      // discrete path caught on the kink of the Luneburg lens's rim): none.
      // Below that it is drawn, its distance from the ray equation saying
      // how far it is from settled.
      // (Asked for two resolutions only, there is no change to measure.)
      if (!previous.empty() && change > 1e-3 * Chord(a, b).length) return std::nullopt;
      return pathOf(medium, a, b, coarse, fine, w, richardson(momenta));
    }
    previous = std::move(w);
    coarse = std::move(fine);
    n *= 2;
  }
}

CurvedSearch FindCurvedPaths(const Medium& medium, PlanePoint a, PlanePoint b, const CurvedPathOptions& options) {
  CurvedSearch r;
  if (!medium.defined(a.x, a.y)) {
    r.error = "the source stands where the medium has no index";
    return r;
  }
  if (!medium.defined(b.x, b.y)) {
    r.error = "the target stands where the medium has no index";
    return r;
  }
  const Chord c(a, b);
  if (!(c.length > 1e-9) || !std::isfinite(c.length)) {
    r.error = "the source and the target are one point";
    return r;
  }
  if (medium.design().Profile == MediumProfile::Layers) {
    r.paths.push_back(layeredPath(medium, a, b, std::max(options.segments, 64)));
    return r;
  }
  // Starts: the chord, and arcs bowed to either side by these shares of the
  // chord's length at their middle.
  constexpr double kBows[] = {0, 0.1, -0.1, 0.3, -0.3, 0.6, -0.6, 1.0, -1.0};
  const int n = std::max(options.segments, 64);
  std::vector<std::vector<double>> found;
  for (const double bow : kBows) {
    std::vector<double> start(static_cast<std::size_t>(n) + 1);
    for (std::size_t i = 0; i < start.size(); ++i) {
      start[i] = bow * c.length * std::sin(3.14159265358979323846 * static_cast<double>(i) / n);
    }
    const DiscretePath d = SolveDiscretePath(medium, a, b, start);
    if (!d.converged) continue;
    const bool known = std::any_of(found.begin(), found.end(), [&](const std::vector<double>& f) {
      for (std::size_t i = 0; i < f.size(); ++i) {
        if (std::abs(f[i] - d.offsets[i]) > 1e-3 * c.length) return false;
      }
      return true;
    });
    if (known) continue;
    found.push_back(d.offsets);
    std::optional<CurvedPath> p = RefineCurvedPath(medium, a, b, d.offsets, options);
    // Two coarse paths apart may refine to one: the same time and start.
    const bool same = p && std::any_of(r.paths.begin(), r.paths.end(), [&](const CurvedPath& q) {
      return std::abs(q.time - p->time) <= 1e-9 * p->time && std::abs(q.directionX - p->directionX) < 1e-6 &&
             std::abs(q.directionY - p->directionY) < 1e-6;
    });
    if (p && !same) r.paths.push_back(std::move(*p));
  }
  std::sort(r.paths.begin(), r.paths.end(), [](const CurvedPath& x, const CurvedPath& y) { return x.time < y.time; });
  if (r.paths.empty()) r.error = "no path of stationary time was found between the source and the target";
  return r;
}

}  // namespace optics
