#include "lab/Describe.h"

#include "graphs/CurveTexts.h"
#include "graphs/EqualTime.h"
#include "lab/Challenge.h"
#include "lab/Lab.h"
#include "lab/Run.h"
#include "lab/LensText.h"
#include "lab/MediumText.h"
#include "lab/MirrorText.h"
#include "text/Language.h"

#include <algorithm>
#include <cmath>

namespace lab {
namespace {

using text::Tr;
using text::TrCount;

// Numbers as the labels show them: fixed decimals, the language's separator.
std::string fixed(double v, int decimals) { return text::LocalFixed(v, decimals); }

void add(std::string& to, const std::string& sentence) {
  if (sentence.empty()) return;
  if (!to.empty()) to += ' ';
  to += sentence;
}

std::string lensBundle(const Lab& lab) {
  const auto& bundle = lab.results().bundle();
  if (!bundle) return {};
  const auto rays = static_cast<std::uint64_t>(bundle->Rays.size());
  std::string out = TrCount("describe.bundle.rays", rays);
  const auto reflected = static_cast<std::uint64_t>(core::TotallyReflected(*bundle));
  add(out, reflected == 0 ? Tr("describe.bundle.noneReflected") : TrCount("describe.bundle.reflected", reflected));
  // The outer rays leave the lens farthest from the axis, the inner ones
  // nearest it (the ray on the axis itself crosses it everywhere: left out).
  const std::vector<graphs::BundleRayRow> rows = CurrentBundle(lab);
  const graphs::BundleRayRow* outer = nullptr;
  const graphs::BundleRayRow* inner = nullptr;
  for (const graphs::BundleRayRow& r : rows) {
    if (!r.exactAxisX || std::abs(r.exitY) <= graphs::kOnAxis) continue;
    if (!outer || std::abs(r.exitY) > std::abs(outer->exitY)) outer = &r;
    if (!inner || std::abs(r.exitY) < std::abs(inner->exitY)) inner = &r;
  }
  if (!outer) {
    add(out, Tr("describe.bundle.noCrossing"));
    return out;
  }
  const double o = *outer->exactAxisX, i = *inner->exactAxisX;
  // Off the axis the crossings are no focus: only where they lie is said.
  if (std::abs(bundle->Source.y) > graphs::kOnAxisTolerance) {
    add(out, Tr("describe.bundle.crossings", {{"outer", fixed(o, 2)}, {"inner", fixed(i, 2)}}));
    return out;
  }
  // Nearer the lens is smaller x: the lens stands at the origin, the light
  // runs to the right. Under a hundredth of a unit apart they count as one.
  if (outer == inner || std::abs(o - i) < 0.005) {
    add(out, Tr("describe.bundle.focusSame", {{"x", fixed(o, 2)}}));
  } else {
    add(out, Tr(o < i ? "describe.bundle.focusNearer" : "describe.bundle.focusFarther",
                {{"outer", fixed(o, 2)}, {"inner", fixed(i, 2)}, {"distance", fixed(std::abs(o - i), 2)}}));
  }
  return out;
}

}  // namespace

std::string DescribeEntry(const Lab& lab) {
  const ChallengeReveal a = LeastTimeAnswer(lab);
  const std::optional<double> percent = PercentSlower(a);
  if (!percent) return Tr("describe.entry.notFound");
  // Within half of the last printed digit the entry point is the least-time point.
  if (a.distance < 0.05) return Tr("describe.entry.at", {{"time", fixed(a.leastTime, 2)}});
  return Tr(a.guessY >= a.leastY ? "describe.entry.above" : "describe.entry.below",
            {{"distance", fixed(a.distance, 1)},
             {"percent", fixed(std::max(0.0, *percent), 2)},
             {"time", fixed(a.guessTime, 2)},
             {"least", fixed(a.leastTime, 2)}});
}

std::string DescribeBundle(const Lab& lab) {
  const Results& r = lab.results();
  if (lab.mirror()) {
    if (!r.mirrorBundle()) return {};
    return TrCount("describe.bundle.mirror", static_cast<std::uint64_t>(r.mirrorBundle()->Rays.size()));
  }
  if (lab.medium()) {
    if (!r.mediumBundle()) return {};
    return TrCount("describe.bundle.medium", static_cast<std::uint64_t>(std::max(0, r.mediumBundle()->Rays)));
  }
  return lensBundle(lab);
}

std::string DescribeWavefront(const Lab& lab) {
  const Results& r = lab.results();
  if (lab.medium()) {
    if (!r.mediumFront()) return {};
    return Tr("describe.wavefront", {{"time", fixed(*r.mediumFront(), 2)}});
  }
  if (lab.mirror()) {
    if (!r.mirrorWaves()) return {};
    return Tr("describe.wavefrontDrawn");
  }
  if (!r.bundleContinuation() || !r.bundleWavelets()) return {};
  // The front stands at the instant the time bar gives (its value past the latest arrival).
  return Tr("describe.wavefront", {{"time", fixed(r.bundleWavelets()->Instant, 2)}});
}

std::string DescribeStationary(const Lab& lab) {
  const Results& r = lab.results();
  std::string out;
  if (lab.mirror() && r.mirrorFermat()) {
    const auto& points = r.mirrorFermat()->Stationary.Points;
    if (points.empty()) return Tr("describe.mirror.none");
    out = TrCount("describe.mirror.points", static_cast<std::uint64_t>(points.size()));
    for (const optics::StationaryPoint& p : points) {
      add(out, Tr("describe.mirror.point", {{"kind", graphs::StationaryKindWord(p.Kind)},
                                            {"height", fixed(p.Y, 2)},
                                            {"time", fixed(p.Time, 2)}}));
    }
    return out;
  }
  if (lab.medium() && r.mediumFermat()) {
    const auto& paths = r.mediumFermat()->Paths;
    if (paths.empty()) return Tr("describe.medium.none");
    out = TrCount("describe.medium.paths", static_cast<std::uint64_t>(paths.size()));
    for (const core::CheckedPath& p : paths) {
      add(out, Tr(p.Path.minimum() ? "describe.medium.minimum" : "describe.medium.saddle",
                  {{"time", fixed(p.Path.time, 2)}}));
    }
  }
  return out;
}

std::string DescribePicture(const Lab& lab) {
  const ShapeCentre s = CentreOf(lab.controls().kyklos);
  const core::Point t = lab.target();
  std::string out;
  const std::string x = fixed(s.x, 1), y = fixed(s.y, 1);
  if (const MirrorShape* m = lab.mirror()) {
    out = Tr("describe.scene.mirror", {{"x", x}, {"y", y}, {"mirror", MirrorSummary(m->design, m->mirror)},
                                       {"tx", fixed(t.x, 1)}, {"ty", fixed(t.y, 1)}});
  } else if (const MediumShape* g = lab.medium()) {
    out = Tr("describe.scene.medium", {{"x", x}, {"y", y}, {"medium", MediumSummary(g->design)},
                                       {"tx", fixed(t.x, 1)}, {"ty", fixed(t.y, 1)}});
  } else {
    out = Tr("describe.scene.lens", {{"x", x}, {"y", y}, {"lens", LensSummary(lab.lensDesign(), lab.lens())},
                                     {"height", std::to_string(lab.controls().thesiy.value)}});
  }
  add(out, DescribeEntry(lab));
  add(out, DescribeStationary(lab));
  add(out, DescribeBundle(lab));
  add(out, DescribeWavefront(lab));
  return out;
}

std::string ChangeDescriber::next(const Lab& lab) {
  // Mid-action (a marker or a thumb held, Play sweeping) nothing is said:
  // the change is said once, when the action is complete.
  if (lab.midAction()) return {};
  const Results& r = lab.results();
  using C = Results::Change;
  const auto changed = [&](C c) { return r.revision(c) != seen_[static_cast<std::size_t>(c)]; };
  std::string out;
  if (changed(C::Fermat) || changed(C::Path) || changed(C::Ray) || changed(C::Mirror)) add(out, DescribeEntry(lab));
  if (changed(C::Mirror)) add(out, DescribeStationary(lab));
  if (changed(C::Bundle) || changed(C::Continuation) || changed(C::Mirror)) add(out, DescribeBundle(lab));
  if (changed(C::Continuation) || changed(C::Mirror)) add(out, DescribeWavefront(lab));
  for (std::size_t k = 0; k < seen_.size(); ++k) seen_[k] = r.revision(static_cast<C>(k));
  return out;
}

}  // namespace lab
