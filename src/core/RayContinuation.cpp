#include "core/RayContinuation.h"

#include "core/Constants.h"
#include "core/Entry.h"
#include "numeric/Elementary.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"

#include <cmath>

namespace core {
namespace {
constexpr int kAttempts = 3;
constexpr double kAimDistance = 50;  // x distance from P to the construction point
constexpr double kNormalEndX = 400;
// How far to the right of P the undeviated continuation is drawn.
constexpr double kStraightDistance = 250;

// The dashed normal at P: from the centre of curvature through P out to
// x = kNormalEndX; on a flat face from the other vertex's x.
Segment NormalLine(const optics::Face& f, double x0, double y0) {
  if (f.Flat) return {-f.VertexX, y0, kNormalEndX, y0};
  return {f.CentreX, 0, kNormalEndX, y0 + (kNormalEndX - x0) * y0 / (x0 - f.CentreX)};
}

void attempt(const optics::Lens& lens, SourcePoint src, RayContinuationResult& r, double delta) {
  Drawing& d = r.drawing;
  const double x0 = r.X0, y0 = r.Y0;
  RayAttempt& a = r.Attempts.emplace_back();
  a.Delta = delta;
  const Neighbours& nb = a.Points = NeighbourPoints(x0, y0, delta, lens);
  a.EntryP = EntryFor(lens, src, x0, y0, d);
  a.EntryA = EntryFor(lens, src, nb.ax, nb.ay, d);
  a.EntryB = EntryFor(lens, src, nb.bx, nb.by, d);
  const optics::PathPoint &eP = a.EntryP, &eA = a.EntryA, &eB = a.EntryB;
  d.Line(src.x, src.y, eP.X, eP.Y, numeric::kMagenta);
  d.LineTo(x0, y0, numeric::kMagenta);
  d.Line(src.x, src.y, eA.X, eA.Y, numeric::kRed);
  d.LineTo(nb.ax, nb.ay, numeric::kRed);
  d.Line(src.x, src.y, eB.X, eB.Y, numeric::kRed);
  d.LineTo(nb.bx, nb.by, numeric::kRed);

  // The crossings away from the source are the ones on the wavefront; M stays double.
  const WaveletCrossing& w = a.Wavelets =
      CrossWavelets(x0, y0, eP.Time, eA.Time, eB.Time, nb, lens.SpeedOutside, src.x, src.y, lens.Second.Flat);
  d.Circle(x0, y0, w.rP);
  d.Circle(nb.ax, nb.ay, w.rA, numeric::kRed);
  d.Circle(nb.bx, nb.by, w.rB, numeric::kGreen);
  const optics::FacePoint n = optics::AxialNormal(lens.Second, x0, y0);
  a.Incidence = optics::SignedAngle(x0 - eP.X, y0 - eP.Y, n.X, n.Y);
}
}  // namespace

RayContinuationResult ContinueRay(const optics::Lens& lens, SourcePoint src, int height) {
  const Point p = SurfacePointAtHeight(height, lens);
  RayContinuationResult r{.Source = src, .Height = height, .X0 = p.x, .Y0 = p.y};
  Drawing& d = r.drawing;
  const double x0 = p.x, y0 = p.y;
  const optics::FacePoint normal = optics::AxialNormal(lens.Second, x0, y0);
  const double toDeg = ToDegrees(lens);
  d.ops.reserve(48);  // three attempts of nine operations, the captions, the ray and the normal
  r.Attempts.reserve(kAttempts);
  d.FillStyle(1);  // the wavelets are outlines
  double delta = kFirstSpacing;
  for (int k = 1;;) {
    attempt(lens, src, r, delta);
    RayAttempt& a = r.Attempts.back();
    const WaveletCrossing& w = a.Wavelets;
    const double thetaI = a.Incidence;
    const double thetaC = CriticalAngle(lens);
    if (std::abs(thetaI) > thetaC) {
      r.TotalReflection = true;
      d.Show(Caption::TotalReflection, thetaC * toDeg);
      d.Show(Caption::Incidence, std::abs(thetaI) * toDeg);
      break;
    }

    // A construction point exists only when the wavelets gave a point M off
    // the vertical through P; otherwise the attempt cannot be judged.
    const bool aimed = w.hasM && w.mx != x0;
    a.Ex = x0 + kAimDistance;
    a.Ey = aimed ? y0 + kAimDistance * (w.my - y0) / (w.mx - x0) : 0.0;
    a.Usable = aimed && std::isfinite(a.Ey);
    if (a.Usable) {
      a.Refraction = optics::SignedAngle(a.Ex - x0, a.Ey - y0, normal.X, normal.Y);
      d.Show(Caption::IncidenceRefraction, std::abs(thetaI) * toDeg, std::abs(a.Refraction) * toDeg);
      // Normal incidence leaves the ratio undefined; no attempt can pass then.
      if (numeric::Sin(thetaI) != 0) a.Ratio = numeric::Sin(a.Refraction) / numeric::Sin(thetaI);
    }
    a.Passed = a.Usable && numeric::Sin(thetaI) != 0 && RatioPasses(a.Ratio, lens);
    if (a.Passed) {
      if (a.Ratio < 0) {
        r.NegativeRatio = true;
        break;
      }
      if (a.Ey > 0) {
        r.MessageShown = true;
        d.Message(kNaiThe);
      }
      r.Continued = true;
      r.Ray = {x0, y0, a.Ex, a.Ey};
      d.Line(x0, y0, a.Ex, a.Ey);
      d.Show(Caption::RayIndex, a.Ratio);
      r.Normal = NormalLine(lens.Second, x0, y0);
      d.DrawStyle(1);
      d.Line(r.Normal.x1, r.Normal.y1, r.Normal.x2, r.Normal.y2);
      d.DrawStyle(0);
      break;
    }
    ++k;
    delta /= std::sqrt(double(k));
    // Exactly normal incidence cannot pass in any attempt, so the rest are skipped.
    if (k > kAttempts || thetaI == 0) {
      // Near normal incidence the ratio test means nothing: the ray goes on
      // undeviated, along its path inside the lens.
      const optics::PathPoint& eP = a.EntryP;
      if (std::abs(thetaI) < kNearNormal && x0 != eP.X) {
        r.Undeviated = true;
        r.Ray = {x0, y0, x0 + kStraightDistance, y0 + kStraightDistance * (y0 - eP.Y) / (x0 - eP.X)};
        d.Line(r.Ray.x1, r.Ray.y1, r.Ray.x2, r.Ray.y2);
      }
      break;
    }
  }
  d.FillStyle(0);
  return r;
}

}  // namespace core
