#include "core/BundleContinuation.h"

#include "core/Constants.h"
#include "core/Entry.h"
#include "core/Wavelets.h"
#include "numeric/Elementary.h"
#include "numeric/Single.h"
#include "optics/Faces.h"
#include "optics/FrameEdge.h"
#include "optics/Geometry.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace core {
namespace {
constexpr int kAttempts = 5;
constexpr double kAimDistance = 250;  // x distance from P to the aim point
constexpr double kFirstGeneration = 1.5;

// The outcome of one attempt that produced a wavefront point.
struct Attempt {
  float mx = 0, my = 0, tauA = 0;
  double ex = 0, ey = 0, thetaR = 0, n = 0;
  bool ratioDefined = false;
};

// A point on the glass's side of the second face, whose farther wavelet
// crossing is the one outside: the face's centre when it bulges (as the
// standard lens's does), else a point far to the left of the whole face.
core::Point InsideReference(const optics::Lens& lens) {
  const optics::Face& f = lens.Second;
  if (!f.Flat && f.Facing > 0) return {f.CentreX, 0};
  const double reach = 10 * std::max<double>(lens.HalfAperture, lens.Thickness);
  return {std::min(f.VertexX, optics::RimX(f)) - reach, 0};
}

bool isNone(const optics::PathPoint& p) {
  return p.X == 0 && p.Y == 0 && p.Time == 0;
}
}  // namespace

void ContinueBundleRay(const optics::Lens& lens, Frame frame, SourcePoint src, BundleRay& ray, Drawing& d) {
  const double x = ray.ExitX, y = ray.ExitY;
  const optics::FacePoint normal = optics::AxialNormal(lens.Second, x, y);
  const core::Point inside = InsideReference(lens);
  const double toDeg = ToDegrees(lens);
  auto showAngles = [&](double thetaI, double thetaR) {
    d.Show(Caption::IncidenceRefraction, std::abs(thetaI) * toDeg, std::abs(thetaR) * toDeg);
  };

  double delta = kFirstSpacing;
  double thetaI = 0;
  optics::PathPoint eP;
  std::optional<Attempt> last;
  for (int k = 1; k <= kAttempts; ++k) {
    const Neighbours nb = NeighbourPoints(x, y, delta, lens);
    eP = EntryFor(lens, src, x, y, d);
    const float tA = EntryFor(lens, src, nb.ax, nb.ay, d).Time;
    const float tB = EntryFor(lens, src, nb.bx, nb.by, d).Time;
    const WaveletCrossing w =
        CrossWavelets(x, y, eP.Time, tA, tB, nb, lens.SpeedOutside, inside.x, inside.y, lens.Second.Flat);

    thetaI = optics::SignedAngle(x - eP.X, y - eP.Y, normal.X, normal.Y);
    const double thetaC = CriticalAngle(lens);
    if (std::abs(thetaI) >= thetaC) {
      d.Show(Caption::TotalReflection, thetaC * toDeg);
      d.Show(Caption::Incidence, std::abs(thetaI) * toDeg);
      return;
    }

    bool passed = false;
    // A bundle ray's wavefront point is kept in Single.
    const float mx = numeric::RoundToSingle(w.mx), my = numeric::RoundToSingle(w.my);
    if (w.hasM && mx != x) {
      Attempt a{.mx = mx, .my = my, .tauA = w.tauA, .ex = x + kAimDistance};
      a.ey = y + kAimDistance * (my - y) / (mx - x);
      a.thetaR = optics::SignedAngle(mx - x, my - y, normal.X, normal.Y);
      showAngles(thetaI, a.thetaR);
      a.ratioDefined = numeric::Sin(thetaI) != 0;
      if (a.ratioDefined) a.n = numeric::Sin(a.thetaR) / numeric::Sin(thetaI);
      passed = a.ratioDefined && RatioPasses(a.n, lens);
      last = a;
    }
    if (passed) break;
    delta /= std::sqrt(double(k + 1));
    // Exactly normal incidence has no ratio in any attempt.
    if (thetaI == 0 && last) break;
  }
  // No attempt gave a wavefront point: nothing to continue the ray towards.
  if (!last) return;

  Attempt a = *last;
  ray.Passed = a.ratioDefined && RatioPasses(a.n, lens);
  if (!ray.Passed && std::abs(thetaI) < kNearNormal && x != eP.X) {
    // Near normal incidence the ratio test is unreliable: continue undeviated
    // along the ray inside the lens.
    a.ex = x + kAimDistance;
    a.ey = y + kAimDistance * (y - eP.Y) / (x - eP.X);
  }
  showAngles(thetaI, a.thetaR);
  if (std::isfinite(a.ey)) {
    const optics::EdgePoint edge = optics::FrameEdgePoint(x, y, a.ex - x, a.ey - y, frame.XMax, frame.YMax);
    ray.RedLineDrawn = true;
    ray.RedLine = {x, y, edge.X, edge.Y};
    d.Line(x, y, edge.X, edge.Y, numeric::kRed);
  }
  ray.Continued = true;
  ray.Wavefront = {a.mx, a.my, a.tauA};
  ray.Refraction = a.thetaR;
  ray.RatioDefined = a.ratioDefined;
  ray.Ratio = a.n;
  if (a.ratioDefined) d.Show(Caption::BundleIndex, a.n);
}

BundleContinuationResult ContinueBundle(const optics::Lens& lens, Frame frame, SourcePoint src, int n) {
  BundleContinuationResult c;
  c.FrameUsed = frame;
  // The bundle exactly as the bundle button builds it, without the exit dots
  // and with whatever pen width is in force.
  c.Bundle = TraceBundle(lens, src, n, false);
  c.Construction = std::move(c.Bundle.drawing);
  c.Bundle.drawing = {};
  Drawing& d = c.Construction;
  d.ops.reserve(d.ops.size() + 5 * c.Bundle.Rays.size() + 1);  // per ray: captions and the red line
  d.FillStyle(1);
  // Only a ray that was continued gets a wavefront point: a totally reflected
  // one is skipped, and ContinueBundleRay leaves the rest of a failed one alone.
  for (BundleRay& ray : c.Bundle.Rays) {
    if (ray.Leaves) ContinueBundleRay(lens, frame, src, ray, d);
  }
  for (const BundleRay& ray : c.Bundle.Rays) c.Latest = std::max(c.Latest, ray.ArrivalTime);
  for (const BundleRay& ray : c.Bundle.Rays) {
    const double radius = lens.SpeedOutside * ((c.Latest + kFirstGeneration) - ray.ArrivalTime);
    c.FirstRadius.push_back(radius);
    const optics::PathPoint& m = ray.Wavefront;
    // A ray without a wavefront point, or with a vertical continuation (no
    // direction away from the lens), has no second-generation circle.
    if (!ray.Leaves || isNone(m) || m.X == ray.ExitX) {
      c.SecondCentre.emplace_back();
      continue;
    }
    const numeric::SinAndCos a = numeric::SinCos(numeric::Atan((m.Y - ray.ExitY) / (m.X - ray.ExitX)));
    c.SecondCentre.push_back(Point{ray.ExitX + radius * a.Cos, ray.ExitY + radius * a.Sin});
  }
  return c;
}

BundleWavelets WaveletsAt(const BundleContinuationResult& c, const optics::Lens& lens, int slider) {
  BundleWavelets w{.Slider = slider};
  w.Instant = static_cast<float>(slider) + c.Latest;
  w.SecondRadius = lens.SpeedOutside * (w.Instant - (c.Latest + kFirstWaveletMargin));
  Drawing& d = w.drawing;
  d.FillStyle(1);
  const std::vector<BundleRay>& rays = c.Bundle.Rays;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    if (rays[i].Leaves) d.Circle(rays[i].ExitX, rays[i].ExitY, c.FirstRadius[i]);
  }
  w.SecondFrom = d.ops.size();
  for (const std::optional<Point>& centre : c.SecondCentre) {
    if (centre) d.Circle(centre->x, centre->y, w.SecondRadius);
  }
  return w;
}

Drawing BundleContinuationDrawing(const BundleContinuationResult& c, const BundleWavelets& w) {
  Drawing d = WithoutSecondGeneration(c, w);
  d.Append(SecondGeneration(w));
  return d;
}

Drawing WithoutSecondGeneration(const BundleContinuationResult& c, const BundleWavelets& w) {
  Drawing d = c.Construction;
  const auto second = w.drawing.ops.begin() + static_cast<std::ptrdiff_t>(w.SecondFrom);
  d.ops.insert(d.ops.end(), w.drawing.ops.begin(), second);
  return d;
}

Drawing SecondGeneration(const BundleWavelets& w) {
  Drawing d;
  d.ops.assign(w.drawing.ops.begin() + static_cast<std::ptrdiff_t>(w.SecondFrom), w.drawing.ops.end());
  d.FillStyle(0);
  return d;
}

bool ContinuesFrom(const BundleContinuationResult& c, Frame frame, SourcePoint source, int n) noexcept {
  return c.Bundle.N == n && c.Bundle.Source == source && c.FrameUsed == frame;
}

}  // namespace core
