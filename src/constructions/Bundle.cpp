#include "constructions/Bundle.h"

#include "canvas/Form.h"
#include "constructions/Entry.h"
#include "optics/Geometry.h"

#include <algorithm>
#include <cmath>

namespace constructions {
namespace {
constexpr QRgb kRed = canvas::Rgb(255, 0, 0);
// Time after the latest arrival that the first wavelet circles show.
constexpr double kWaveletMargin = 0.7;
}  // namespace

double BundleAngle(int i, int n, const scene::SceneState& s) noexcept {
  const double alpha = std::atan(double{s.HalfAperture} / s.CentreOffset);
  const double delta = 2.0 * alpha / (n + 2);
  return (-alpha + delta) + delta * i;
}

double CriticalAngle(const scene::SceneState& s) noexcept {
  return optics::ArcSin(s.SpeedInside / s.SpeedOutside);  // float quotient: 0.5 exactly
}

double ExitIncidence(const scene::SceneState& s, int i) noexcept {
  const auto k = static_cast<std::size_t>(i);
  return optics::SignedAngle(s.ExitX[k] - s.EntryX[k], s.ExitY[k] - s.EntryY[k], s.ExitX[k] + s.CentreOffset,
                             s.ExitY[k]);
}

std::size_t ResetBundle(scene::SceneState& s, int n) {
  const std::size_t count = n < 0 ? 0 : static_cast<std::size_t>(n) + 1;
  s.ExitX.assign(count, 0.0);
  s.ExitY.assign(count, 0.0);
  s.EntryX.assign(count, 0.0f);
  s.EntryY.assign(count, 0.0f);
  s.ArrivalTime.assign(count, 0.0f);
  s.Continuations.assign(count, graphs::RayContinuation{});
  return count;
}

void PlaceExit(scene::SceneState& s, std::size_t i, int n) noexcept {
  const double theta = BundleAngle(static_cast<int>(i), n, s);
  s.ExitX[i] = s.SurfaceRadius * std::cos(theta) - s.CentreOffset;
  s.ExitY[i] = s.SurfaceRadius * std::sin(theta);
}

void TraceBundleRay(canvas::Form& f, scene::SceneState& s, std::size_t i, float sourceX, float sourceY) {
  const optics::PathPoint p = LeastTimeEntry(f, s, s.ExitX[i], s.ExitY[i]);
  s.EntryX[i] = p.X;
  s.EntryY[i] = p.Y;
  s.ArrivalTime[i] = p.Time;
  f.canvas.Line(sourceX, sourceY, s.EntryX[i], s.EntryY[i]);
  f.canvas.LineTo(s.ExitX[i], s.ExitY[i]);
}

void DrawBundle(canvas::Form& f, scene::SceneState& s, float sourceX, float sourceY, int n) {
  canvas::Canvas& c = f.canvas;
  const std::size_t count = ResetBundle(s, n);
  for (std::size_t i = 0; i < count; ++i) {
    PlaceExit(s, i, n);
    c.DrawWidth = 4;
    c.PSet(s.ExitX[i], s.ExitY[i]);
    c.DrawWidth = 1;
    TraceBundleRay(f, s, i, sourceX, sourceY);
  }
  c.DrawWidth = 1;
}

void DrawWavelets(canvas::Form& f, const scene::SceneState& s, int n) {
  canvas::Canvas& c = f.canvas;
  // Only rays the arrays hold: a count beyond the last bundle is not read.
  const int last = std::min(n, static_cast<int>(s.ArrivalTime.size()) - 1);
  double latest = 0;
  for (int i = 0; i <= last; ++i) latest = std::max<double>(latest, s.ArrivalTime[static_cast<std::size_t>(i)]);
  c.FillStyle = 1;
  const double instant = latest + kWaveletMargin;
  for (int i = 0; i <= last; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const double radius = (instant - s.ArrivalTime[k]) * s.SpeedOutside;
    if (std::abs(ExitIncidence(s, i)) > CriticalAngle(s)) {
      // Beyond the critical angle the ray cannot leave the glass.
      c.DrawWidth = 6;
      c.PSet(s.ExitX[k], s.ExitY[k], kRed);
      c.DrawWidth = 1;
    } else {
      c.Circle(s.ExitX[k], s.ExitY[k], radius);
    }
  }
}

}  // namespace constructions
