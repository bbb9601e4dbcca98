#include "optics/Stationary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace optics {

const char* StationaryKindName(StationaryKind k) noexcept {
  switch (k) {
    case StationaryKind::Minimum: return "minimum";
    case StationaryKind::Maximum: return "maximum";
    case StationaryKind::Inflection: return "inflection";
    case StationaryKind::Constant: return "constant";
  }
  return "";
}

namespace {

// One leg's length and its first and second derivatives by u: with e the
// unit vector from the end A to P, d|P-A|/du = e.P' and
// d2|P-A|/du2 = (|P'|^2 - (e.P')^2) / |P-A| + e.P''. A leg of length zero
// (the end on the mirror) has no derivative; it counts as flat.
struct Leg {
  double d = 0, d1 = 0, d2 = 0;
};

Leg leg(const MirrorPoint& p, double ax, double ay) noexcept {
  const double dx = p.X - ax, dy = p.Y - ay;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (!(d > 0)) return {};
  const double ex = dx / d, ey = dy / d;
  const double along = ex * p.Dx + ey * p.Dy;
  const double speed2 = p.Dx * p.Dx + p.Dy * p.Dy;
  return {d, along, (speed2 - along * along) / d + ex * p.Ddx + ey * p.Ddy};
}

// Brent's method for a root of f in [a, b], f(a) and f(b) of opposite signs
// (or one of them zero): inverse quadratic interpolation and secant steps,
// falling back on halving whenever they would not shrink the bracket fast
// enough. Ends when the bracket is within a few ulps of the root, or when f
// is exactly zero.
template <class F>
double brent(F f, double a, double b, double fa, double fb, double absTol) {
  constexpr double eps = std::numeric_limits<double>::epsilon();
  double c = b, fc = fb, d = b - a, e = d;
  for (int iter = 0; iter < 200; ++iter) {
    if (fb != 0 && fc != 0 && (fb > 0) == (fc > 0)) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::abs(fc) < std::abs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol = 2 * eps * std::abs(b) + 0.5 * absTol;
    const double m = 0.5 * (c - b);
    if (std::abs(m) <= tol || fb == 0) return b;
    if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
      const double s = fb / fa;
      double p, q;
      if (a == c) {
        p = 2 * m * s;
        q = 1 - s;
      } else {
        const double qa = fa / fc, r = fb / fc;
        p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
        q = (qa - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) q = -q;
      p = std::abs(p);
      if (2 * p < std::min(3 * m * q - std::abs(tol * q), std::abs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = e = m;
      }
    } else {
      d = e = m;
    }
    a = b;
    fa = fb;
    b += std::abs(d) > tol ? d : (m > 0 ? tol : -tol);
    fb = f(b);
  }
  return b;
}

// Samples along the mirror: enough that two stationary points closer than a
// step still show as a change of sign of d2T between its ends.
constexpr int kIntervals = 96;
// |dT/du| * length below this fraction of the time counts as no change.
constexpr double kFlat = 1e-10;
// |d2T/du2| * length^2 below this fraction of the time: neither a minimum nor a maximum.
constexpr double kNoCurvature = 1e-9;

bool sameSide(double a, double b) { return a != 0 && b != 0 && (a > 0) == (b > 0); }

}  // namespace

MirrorTime TimeAlong(const Mirror& m, double u, double sx, double sy, double tx, double ty, double speed) noexcept {
  const MirrorPoint p = m.at(u);
  const Leg a = leg(p, sx, sy), b = leg(p, tx, ty);
  return {(a.d + b.d) / speed, (a.d1 + b.d1) / speed, (a.d2 + b.d2) / speed};
}

StationaryResult StationaryPoints(const Mirror& m, double sx, double sy, double tx, double ty, double speed) {
  StationaryResult out;
  const double lo = m.uMin(), hi = m.uMax(), length = hi - lo;
  if (!(length > 0) || !(speed > 0)) return out;
  auto time = [&](double u) { return TimeAlong(m, u, sx, sy, tx, ty, speed); };
  auto dT = [&](double u) { return time(u).dT; };
  auto d2T = [&](double u) { return time(u).d2T; };

  double us[kIntervals + 1];
  MirrorTime ts[kIntervals + 1];
  double largest = 0;
  for (int i = 0; i <= kIntervals; ++i) {
    us[i] = i == kIntervals ? hi : lo + length * i / kIntervals;
    ts[i] = time(us[i]);
    largest = std::max(largest, ts[i].T);
  }
  const double flat = kFlat * largest / length;
  const double absTol = 1e-15 * length;

  auto inFront = [&](double u) {
    const MirrorPoint p = m.at(u), n = m.normal(u);
    return n.X * (sx - p.X) + n.Y * (sy - p.Y) > 0 && n.X * (tx - p.X) + n.Y * (ty - p.Y) > 0;
  };
  auto point = [&](double u, StationaryKind kind) {
    const MirrorPoint p = m.at(u), n = m.normal(u);
    const MirrorTime t = time(u);
    auto angle = [&](double ax, double ay) {
      return std::atan2(std::abs(n.X * ay - n.Y * ax), n.X * ax + n.Y * ay);
    };
    return StationaryPoint{.U = u,
                           .X = p.X,
                           .Y = p.Y,
                           .Time = t.T,
                           .Kind = kind,
                           .Incidence = angle(sx - p.X, sy - p.Y),
                           .Reflection = angle(tx - p.X, ty - p.Y),
                           .SecondDerivative = t.d2T};
  };

  if (std::all_of(std::begin(ts), std::end(ts), [&](const MirrorTime& t) { return std::abs(t.dT) <= flat; })) {
    const double mid = (lo + hi) / 2;
    if (inFront(mid)) {
      out.Constant = true;
      out.StretchFrom = lo;
      out.StretchTo = hi;
      out.Points.push_back(point(mid, StationaryKind::Constant));
    }
    return out;
  }

  // Candidate roots of dT/du, by increasing u; `touch` marks a double root
  // (dT/du reaches zero without changing sign).
  struct Root {
    double u;
    bool touch;
  };
  std::vector<Root> roots;
  auto add = [&](double u, bool touch) {
    if (roots.empty() || roots.back().u != u) roots.push_back({u, touch});
  };
  for (int i = 0; i < kIntervals; ++i) {
    const double g0 = ts[i].dT, g1 = ts[i + 1].dT;
    if (g0 == 0) add(us[i], false);
    if (g0 == 0 || g1 == 0) continue;
    if (!sameSide(g0, g1)) {
      add(brent(dT, us[i], us[i + 1], g0, g1, absTol), false);
      continue;
    }
    // Same sign at both ends; when dT/du turns in between it may cross zero
    // twice (two stationary points within one step) or just touch it.
    const double h0 = ts[i].d2T, h1 = ts[i + 1].d2T;
    if (h0 == 0 || h1 == 0 || sameSide(h0, h1)) continue;
    const double turn = brent(d2T, us[i], us[i + 1], h0, h1, absTol);
    const double gt = dT(turn);
    if (gt != 0 && !sameSide(gt, g0)) {
      add(brent(dT, us[i], turn, g0, gt, absTol), false);
      add(brent(dT, turn, us[i + 1], gt, g1, absTol), false);
    } else if (std::abs(gt) <= flat) {
      add(turn, true);
    }
  }
  if (ts[kIntervals].dT == 0) add(us[kIntervals], false);

  for (const Root& r : roots) {
    if (!inFront(r.u)) continue;
    const MirrorTime t = time(r.u);
    StationaryKind kind = t.d2T > 0 ? StationaryKind::Minimum : StationaryKind::Maximum;
    if (r.touch || std::abs(t.d2T) * length * length <= kNoCurvature * t.T) kind = StationaryKind::Inflection;
    out.Points.push_back(point(r.u, kind));
  }
  return out;
}

}  // namespace optics
