#include "lab/Results.h"

#include "optics/ExactRay.h"

#include <cmath>
#include <utility>

namespace lab {

void Results::setFermat(core::FermatResult r) {
  s_.fermat = std::move(r);
  tell(Change::Fermat);
}

void Results::setBundle(core::BundleResult b, std::optional<core::WaveletsResult> w) {
  s_.bundle = std::move(b);
  s_.wavelets = std::move(w);
  tell(Change::Bundle);
}

void Results::setRayContinuation(core::RayContinuationResult r) {
  s_.ray = std::move(r);
  tell(Change::Ray);
}

void Results::setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w) {
  // The continuation rebuilt the bundle: it is the last bundle as well.
  s_.bundle = c.Bundle;
  s_.wavelets.reset();
  s_.continuation = std::move(c);
  ++serial_;
  s_.bundleWavelets = std::move(w);
  tell(Change::Bundle);
  tell(Change::Continuation);
}

void Results::setBundleWavelets(core::BundleWavelets w) {
  if (!s_.continuation) return;
  s_.bundle = s_.continuation->Bundle;
  s_.wavelets.reset();
  s_.bundleWavelets = std::move(w);
  tell(Change::Bundle);
  tell(Change::Continuation);
}

void Results::setPath(const Path& p) {
  s_.path = p;
  tell(Change::Path);
}

void Results::setMirrorFermat(core::MirrorFermatResult r) {
  s_.mirrorFermat = std::move(r);
  tell(Change::Mirror);
}

void Results::setMirrorBundle(core::MirrorBundleResult b) {
  s_.mirrorBundle = std::move(b);
  s_.mirrorWaves.reset();
  tell(Change::Mirror);
}

void Results::setMirrorWaves(core::MirrorWavesResult w) {
  s_.mirrorBundle = w.Bundle;
  s_.mirrorWaves = std::move(w);
  tell(Change::Mirror);
}

void Results::setMediumFermat(core::MediumFermatResult r) {
  s_.mediumFermat = std::move(r);
  s_.mediumBundleLast = false;
  tell(Change::Mirror);
}

void Results::setMediumBundle(core::MediumBundleResult b, std::optional<double> front) {
  s_.mediumBundle = std::move(b);
  s_.mediumFront = front;
  s_.mediumBundleLast = true;
  tell(Change::Mirror);
}

void Results::restore(Snapshot s) {
  s_ = std::move(s);
  ++serial_;
  for (Change c : {Change::Fermat, Change::Bundle, Change::Ray, Change::Continuation, Change::Path, Change::Mirror})
    tell(c);
}

graphs::CurveData CurrentCurve(const Results& results, const optics::Lens& lens) {
  const Results::Path& p = results.path();
  return graphs::TravelTimeCurve({p.Source.x, p.Source.y, p.Target.x, p.Target.y, p.Entry.x, p.Entry.y}, lens);
}

std::vector<graphs::BundleRayRow> CurrentBundle(const Results& results, const optics::Lens& lens) {
  std::vector<graphs::BundleRayRow> rows;
  if (!results.bundle()) return rows;
  const double toDeg = core::ToDegrees(lens);  // as the angle labels convert
  const core::SourcePoint src = results.bundle()->Source;
  rows.reserve(results.bundle()->Rays.size());
  for (const core::BundleRay& ray : results.bundle()->Rays) {
    graphs::BundleRayRow& r = rows.emplace_back();
    r.exitX = ray.ExitX;
    r.exitY = ray.ExitY;
    r.entryX = ray.EntryX;
    r.entryY = ray.EntryY;
    r.arrivalTime = ray.ArrivalTime;
    r.incidenceDeg = std::abs(ray.Incidence) * toDeg;
    if (ray.Continued) {
      r.continuation.drawn = ray.RedLineDrawn;
      r.continuation.endX = ray.RedLine.x2;
      r.continuation.endY = ray.RedLine.y2;
      if (ray.RatioDefined) r.continuation.ratio = ray.Ratio;
    }
    r.exactAxisX = optics::ExactAxisCrossing(lens, src.x, src.y, ray.ExitX, ray.ExitY);
  }
  return rows;
}

std::optional<double> CurrentParaxialImage(const Results& results, const optics::Lens& lens) {
  if (!results.bundle()) return std::nullopt;
  const core::SourcePoint src = results.bundle()->Source;
  return optics::ParaxialImage(lens, src.x, src.y);
}

}  // namespace lab
