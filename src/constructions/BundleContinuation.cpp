#include "constructions/BundleContinuation.h"

#include "canvas/Form.h"
#include "canvas/Format.h"
#include "constructions/Bundle.h"
#include "constructions/Entry.h"
#include "constructions/Wavelets.h"
#include "optics/FrameEdge.h"
#include "optics/Geometry.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace constructions {
namespace {
constexpr QRgb kRed = canvas::Rgb(255, 0, 0);
constexpr int kAttempts = 5;
constexpr double kFirstSpacing = 0.1;  // degrees
constexpr double kAimDistance = 250;   // x distance from P to the aim point
constexpr double kNearNormal = 0.001;  // radians
constexpr double kFirstGeneration = 1.5;
constexpr double kSecondGenerationStart = 0.7;

// The outcome of one attempt that produced a wavefront point.
struct Attempt {
  float mx = 0, my = 0, tauA = 0;
  double ex = 0, ey = 0, thetaR = 0, n = 0;
  bool ratioDefined = false;
};

bool isNone(const optics::PathPoint& p) { return p.X == 0 && p.Y == 0 && p.Time == 0; }
}  // namespace

bool ContinueBundleRay(canvas::Form& f, scene::SceneState& s, double x, double y) {
  const double cx = s.CentreOffset;
  const double toDeg = 180.0 / s.Pi;
  auto angleCaption = [&](double thetaI, double thetaR) {
    return QStringLiteral("incidence =") + canvas::Format(std::abs(thetaI) * toDeg, "0.00") +
           QStringLiteral(" refraction =") + canvas::Format(std::abs(thetaR) * toDeg, "0.00");
  };

  double delta = kFirstSpacing;
  double thetaI = 0;
  optics::PathPoint eP;
  std::optional<Attempt> last;
  for (int k = 1; k <= kAttempts; ++k) {
    const Neighbours nb = NeighbourPoints(x, y, delta, s);
    eP = LeastTimeEntry(f, s, x, y);
    const float tA = LeastTimeEntry(f, s, nb.ax, nb.ay).Time;
    const float tB = LeastTimeEntry(f, s, nb.bx, nb.by).Time;
    // Outside the lens is farther from the second surface's centre than inside.
    const WaveletCrossing w = CrossWavelets(x, y, eP.Time, tA, tB, nb, s.SpeedOutside, -cx, 0);

    thetaI = optics::SignedAngle(x - eP.X, y - eP.Y, x + cx, y);
    const double thetaC = CriticalAngle(s);
    if (std::abs(thetaI) >= thetaC) {
      f.Label1.setCaption(QStringLiteral("total reflection   ") + QStringLiteral("  critical = ") +
                          canvas::Format(thetaC * toDeg, "0.00"));
      f.Label3.setCaption(QStringLiteral("incidence =") + canvas::Format(std::abs(thetaI) * toDeg, "0.00"));
      return false;
    }

    bool passed = false;
    if (w.hasM && w.mx != x) {
      Attempt a{.mx = w.mx, .my = w.my, .tauA = w.tauA, .ex = x + kAimDistance};
      a.ey = y + kAimDistance * (w.my - y) / (w.mx - x);
      a.thetaR = optics::SignedAngle(w.mx - x, w.my - y, x + cx, y);
      f.Label3.setCaption(angleCaption(thetaI, a.thetaR));
      a.ratioDefined = std::sin(thetaI) != 0;
      if (a.ratioDefined) a.n = std::sin(a.thetaR) / std::sin(thetaI);
      passed = a.ratioDefined && RatioPasses(a.n, s);
      last = a;
    }
    if (passed) break;
    delta /= std::sqrt(double(k + 1));
    // Exactly normal incidence has no ratio in any attempt.
    if (thetaI == 0 && last) break;
  }
  // No attempt gave a wavefront point: nothing to continue the ray towards.
  if (!last) return false;

  Attempt a = *last;
  const bool passed = a.ratioDefined && RatioPasses(a.n, s);
  if (!passed && std::abs(thetaI) < kNearNormal && x != eP.X) {
    // Near normal incidence the ratio test is unreliable: continue undeviated
    // along the ray inside the lens.
    a.ex = x + kAimDistance;
    a.ey = y + kAimDistance * (y - eP.Y) / (x - eP.X);
  }
  f.Label3.setCaption(angleCaption(thetaI, a.thetaR));
  s.LastContinuation = {};
  if (std::isfinite(a.ey)) {
    const optics::EdgePoint edge = optics::FrameEdgePoint(x, y, a.ex - x, a.ey - y, s.XMax, s.YMax);
    f.canvas.Line(x, y, edge.X, edge.Y, kRed);
    s.LastContinuation = {.drawn = true, .endX = edge.X, .endY = edge.Y};
  }
  if (a.ratioDefined) s.LastContinuation.ratio = a.n;
  s.WavefrontPoint = {a.mx, a.my, a.tauA};
  if (a.ratioDefined) f.Label4.setCaption(QStringLiteral("n = ") + canvas::Format(a.n, "0.000"));
  return true;
}

void DrawBundleWavelets(canvas::Form& f, const scene::SceneState& s, float instant, int n) {
  canvas::Canvas& c = f.canvas;
  const int last = std::min(n, static_cast<int>(s.ArrivalTime.size()) - 1);
  float latest = 0;
  for (int i = 0; i <= last; ++i) latest = std::max(latest, s.ArrivalTime[static_cast<std::size_t>(i)]);
  c.FillStyle = 1;

  const auto count = static_cast<std::size_t>(last + 1);
  std::vector<bool> leaves(count, false);
  std::vector<double> radius(count, 0.0);
  for (std::size_t i = 0; i < count; ++i) {
    radius[i] = s.SpeedOutside * ((latest + kFirstGeneration) - s.ArrivalTime[i]);
    leaves[i] = std::abs(ExitIncidence(s, static_cast<int>(i))) <= CriticalAngle(s);
    if (leaves[i]) c.Circle(s.ExitX[i], s.ExitY[i], radius[i]);
  }
  const double secondRadius = s.SpeedOutside * (instant - (latest + kSecondGenerationStart));
  for (std::size_t i = 0; i < count && i < s.WavefrontPoints.size(); ++i) {
    const optics::PathPoint& m = s.WavefrontPoints[i];
    // A ray without a wavefront point, or with a vertical continuation (no
    // direction away from the lens), has no second-generation circle.
    if (!leaves[i] || isNone(m) || m.X == s.ExitX[i]) continue;
    const double a = std::atan((m.Y - s.ExitY[i]) / (m.X - s.ExitX[i]));
    c.Circle(s.ExitX[i] + radius[i] * std::cos(a), s.ExitY[i] + radius[i] * std::sin(a), secondRadius);
  }
}

void ContinueBundle(canvas::Form& f, scene::SceneState& s, float sx, float sy, int n) {
  canvas::Canvas& c = f.canvas;
  // The bundle exactly as the bundle button builds it, without the exit dots
  // and with whatever pen width is in force.
  const std::size_t count = ResetBundle(s, n);
  s.WavefrontPoints.assign(count, optics::PathPoint{});
  for (std::size_t i = 0; i < count; ++i) {
    PlaceExit(s, i, n);
    TraceBundleRay(f, s, i, sx, sy);
  }
  c.FillStyle = 1;
  for (std::size_t i = 0; i < count; ++i) {
    if (std::abs(ExitIncidence(s, static_cast<int>(i))) > CriticalAngle(s)) continue;  // totally reflected
    // Only a ray that was continued gets a wavefront point; a stale one of the
    // previous ray must not stand in for it.
    if (ContinueBundleRay(f, s, s.ExitX[i], s.ExitY[i])) {
      s.WavefrontPoints[i] = s.WavefrontPoint;
      s.Continuations[i] = s.LastContinuation;
    }
  }
  float latest = 0;
  for (std::size_t i = 0; i < count; ++i) latest = std::max(latest, s.ArrivalTime[i]);
  const float instant = static_cast<float>(f.xronosmetato.Value()) + latest;
  DrawBundleWavelets(f, s, instant, n);
  c.FillStyle = 0;
}

}  // namespace constructions
