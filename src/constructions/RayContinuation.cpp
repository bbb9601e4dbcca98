#include "constructions/RayContinuation.h"

#include "canvas/Form.h"
#include "canvas/Format.h"
#include "constructions/Bundle.h"
#include "constructions/Entry.h"
#include "constructions/Wavelets.h"
#include "optics/Geometry.h"

#include <cmath>

namespace constructions {
namespace {
constexpr QRgb kMagenta = canvas::Rgb(255, 0, 255);
constexpr QRgb kRed = canvas::Rgb(255, 0, 0);
constexpr QRgb kGreen = canvas::Rgb(0, 255, 0);
constexpr int kAttempts = 3;
constexpr double kFirstSpacing = 0.1;  // degrees
constexpr double kAimDistance = 50;    // x distance from P to the construction point
constexpr double kNormalEndX = 400;
// Below this incidence (radians) a ratio that keeps failing is put down to
// near-normal incidence and the ray is continued undeviated.
constexpr double kNearNormal = 0.001;
// How far to the right of P the undeviated continuation is drawn.
constexpr double kStraightDistance = 250;
}  // namespace

scene::WorldPoint SurfacePointAtHeight(int h, const scene::SceneState& s) noexcept {
  const double R = s.SurfaceRadius;
  const double theta = std::atan(h / std::sqrt(R * R - double(h) * h));
  return {R * std::cos(theta) - s.CentreOffset, R * std::sin(theta)};
}

void ContinueRay(canvas::Form& f, const scene::SceneState& s, double x0, double y0) {
  canvas::Canvas& c = f.canvas;
  const double cx = s.CentreOffset;
  const double toDeg = 180.0 / s.Pi;
  double delta = kFirstSpacing;
  for (int k = 1;;) {
    const Neighbours nb = NeighbourPoints(x0, y0, delta, s);
    const scene::ShapeCentre src = scene::CentreOf(f.kyklos);
    const optics::PathPoint eP = LeastTimeEntry(f, s, x0, y0);
    const optics::PathPoint eA = LeastTimeEntry(f, s, nb.ax, nb.ay);
    const optics::PathPoint eB = LeastTimeEntry(f, s, nb.bx, nb.by);
    c.Line(src.x, src.y, eP.X, eP.Y, kMagenta);
    c.LineTo(x0, y0, kMagenta);
    c.Line(src.x, src.y, eA.X, eA.Y, kRed);
    c.LineTo(nb.ax, nb.ay, kRed);
    c.Line(src.x, src.y, eB.X, eB.Y, kRed);
    c.LineTo(nb.bx, nb.by, kRed);

    // The crossings away from the source are the ones on the wavefront.
    const WaveletCrossing w = CrossWavelets(x0, y0, eP.Time, eA.Time, eB.Time, nb, s.SpeedOutside, src.x, src.y);
    c.Circle(x0, y0, w.rP);
    c.Circle(nb.ax, nb.ay, w.rA, kRed);
    c.Circle(nb.bx, nb.by, w.rB, kGreen);

    const double thetaI = optics::SignedAngle(x0 - eP.X, y0 - eP.Y, x0 + cx, y0);
    const double thetaC = CriticalAngle(s);
    if (std::abs(thetaI) > thetaC) {
      f.Label1.setCaption(QStringLiteral("total reflection   ") + QStringLiteral("  critical = ") +
                          canvas::Format(thetaC * toDeg, "0.00"));
      f.Label3.setCaption(QStringLiteral("incidence =") + canvas::Format(std::abs(thetaI) * toDeg, "0.00"));
      return;
    }

    // A construction point exists only when the wavelets gave a point M off
    // the vertical through P; otherwise the attempt cannot be judged.
    const bool aimed = w.hasM && w.mx != x0;
    const double ex = x0 + kAimDistance;
    const double ey = aimed ? y0 + kAimDistance * (w.my - y0) / (w.mx - x0) : 0.0;
    const bool usable = aimed && std::isfinite(ey);
    double n = 0;
    if (usable) {
      const double thetaR = optics::SignedAngle(ex - x0, ey - y0, x0 + cx, y0);
      f.Label3.setCaption(QStringLiteral("incidence =") + canvas::Format(std::abs(thetaI) * toDeg, "0.00") +
                          QStringLiteral(" refraction =") + canvas::Format(std::abs(thetaR) * toDeg, "0.00"));
      // Normal incidence leaves the ratio undefined; no attempt can pass then.
      if (std::sin(thetaI) != 0) n = std::sin(thetaR) / std::sin(thetaI);
    }
    const bool passed = usable && std::sin(thetaI) != 0 && RatioPasses(n, s);
    if (passed) {
      if (n < 0) return;
      if (ey > 0) f.MsgBox(QStringLiteral("Nai the"));
      c.Line(x0, y0, ex, ey);
      f.Label4.setCaption(QStringLiteral("n = ") + canvas::Format(n, "0.00"));
      c.DrawStyle = 1;
      c.Line(-cx, 0, kNormalEndX, y0 + (kNormalEndX - x0) * y0 / (x0 + cx));
      c.DrawStyle = 0;
      return;
    }
    ++k;
    delta /= std::sqrt(double(k));
    // Exactly normal incidence cannot pass in any attempt, so the rest are skipped.
    if (k > kAttempts || thetaI == 0) {
      // Near normal incidence the ratio test means nothing: the ray goes on
      // undeviated, along its path inside the lens.
      if (std::abs(thetaI) < kNearNormal && x0 != eP.X) {
        c.Line(x0, y0, x0 + kStraightDistance, y0 + kStraightDistance * (y0 - eP.Y) / (x0 - eP.X));
      }
      return;
    }
  }
}

}  // namespace constructions
