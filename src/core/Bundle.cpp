#include "core/Bundle.h"

#include "core/Constants.h"
#include "core/Entry.h"
#include "numeric/Elementary.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"

#include <algorithm>
#include <cmath>

namespace core {

double BundleAngle(int i, int n, const optics::Lens& lens) noexcept {
  const double alpha = optics::RimParameter(lens.Second, lens.HalfAperture);
  const double delta = 2.0 * alpha / (n + 2);
  return (-alpha + delta) + delta * i;
}

BundleResult TraceBundle(const optics::Lens& lens, SourcePoint src, int n, bool withDots) {
  BundleResult b{.Source = src, .N = n};
  Drawing& d = b.drawing;
  const std::size_t count = n < 0 ? 0 : static_cast<std::size_t>(n) + 1;
  b.Rays.resize(count);
  d.ops.reserve(count * (withDots ? 5 : 2) + 1);
  const double critical = CriticalAngle(lens);
  for (std::size_t i = 0; i < count; ++i) {
    BundleRay& r = b.Rays[i];
    const optics::FacePoint exit = optics::PointOf(lens.Second, BundleAngle(static_cast<int>(i), n, lens));
    r.ExitX = exit.X;
    r.ExitY = exit.Y;
    if (withDots) {
      d.DrawWidth(4);
      d.PSet(r.ExitX, r.ExitY);
      d.DrawWidth(1);
    }
    const optics::PathPoint p = EntryFor(lens, src, r.ExitX, r.ExitY, d);
    r.EntryX = p.X;
    r.EntryY = p.Y;
    r.ArrivalTime = p.Time;
    d.Line(src.x, src.y, r.EntryX, r.EntryY);
    d.LineTo(r.ExitX, r.ExitY);
    const optics::FacePoint normal = optics::AxialNormal(lens.Second, r.ExitX, r.ExitY);
    r.Incidence = optics::SignedAngle(r.ExitX - r.EntryX, r.ExitY - r.EntryY, normal.X, normal.Y);
    r.Leaves = !(std::abs(r.Incidence) > critical);
  }
  if (withDots) d.DrawWidth(1);
  return b;
}

WaveletsResult FirstWavelets(const optics::Lens& lens, const BundleResult& b) {
  WaveletsResult w;
  Drawing& d = w.drawing;
  for (const BundleRay& r : b.Rays) w.Latest = std::max<double>(w.Latest, r.ArrivalTime);
  d.FillStyle(1);
  w.Instant = w.Latest + kFirstWaveletMargin;
  for (const BundleRay& r : b.Rays) {
    w.Radius.push_back((w.Instant - r.ArrivalTime) * lens.SpeedOutside);
    if (!r.Leaves) {
      // Beyond the critical angle the ray cannot leave the glass.
      d.DrawWidth(6);
      d.PSet(r.ExitX, r.ExitY, numeric::kRed);
      d.DrawWidth(1);
    } else {
      d.Circle(r.ExitX, r.ExitY, w.Radius.back());
    }
  }
  return w;
}

std::size_t TotallyReflected(const BundleResult& bundle) noexcept {
  return static_cast<std::size_t>(
      std::count_if(bundle.Rays.begin(), bundle.Rays.end(), [](const BundleRay& r) { return !r.Leaves; }));
}

}  // namespace core
