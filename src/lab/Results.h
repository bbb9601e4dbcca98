#pragma once

#include "core/Bundle.h"
#include "core/BundleContinuation.h"
#include "core/Inputs.h"
#include "core/LeastTimeRay.h"
#include "core/MediumBundle.h"
#include "core/MediumFermat.h"
#include "core/MirrorBundle.h"
#include "core/MirrorFermat.h"
#include "core/MirrorWaves.h"
#include "core/RayContinuation.h"
#include "graphs/BundleRayRow.h"
#include "graphs/TravelTimeCurve.h"

#include <cstdint>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace lab {

// The results of the last constructions, as the last complete action left
// them, for every view that shows or exports them: graphs and export read it,
// and a slider change can reuse the stored bundle continuation
// (core::WaveletsAt) without computing it again. Each setter replaces its
// result whole and tells the listener what changed.
class Results {
 public:
  // Source, entry point and target as the markers and the height bar stand,
  // and the travel time last shown for them, if any.
  struct Path {
    core::SourcePoint Source, Entry;
    core::Point Target;
    std::optional<double> Time;
  };

  // Everything held, to put back after an action that in the end changed
  // nothing (a thumb dragged live and released where it started).
  struct Snapshot {
    std::optional<core::FermatResult> fermat;
    std::optional<core::BundleResult> bundle;
    std::optional<core::WaveletsResult> wavelets;
    std::optional<core::RayContinuationResult> ray;
    std::optional<core::BundleContinuationResult> continuation;
    std::optional<core::BundleWavelets> bundleWavelets;
    std::optional<core::MirrorFermatResult> mirrorFermat;  // the mirror scene's
    std::optional<core::MirrorBundleResult> mirrorBundle;  // the last reflected bundle, by any button
    std::optional<core::MirrorWavesResult> mirrorWaves;    // its wavelets and wavefront, when drawn
    std::optional<core::MediumFermatResult> mediumFermat;  // the medium scene's stationary paths
    std::optional<core::MediumBundleResult> mediumBundle;  // its last bundle, by any button
    std::optional<double> mediumFront;                     // the time of the front drawn over it (5, the time bar)
    bool mediumBundleLast = false;                         // the bundle came after the stationary paths
    Path path;
  };

  // Mirror: a construction of the mirror or the medium scene.
  enum class Change { Fermat, Bundle, Ray, Continuation, Path, Mirror };
  static constexpr std::size_t kChangeKinds = static_cast<std::size_t>(Change::Mirror) + 1;
  // How many times each kind has changed: a reader that keeps these sees
  // what changed since it last looked.
  [[nodiscard]] std::uint64_t revision(Change c) const noexcept { return revisions_[static_cast<std::size_t>(c)]; }
  // Called after every change, once for each kind that changed.
  std::function<void(Change)> changed;

  [[nodiscard]] const std::optional<core::FermatResult>& fermat() const noexcept { return s_.fermat; }
  // The last bundle built, by either bundle button or by the bundle continuation.
  [[nodiscard]] const std::optional<core::BundleResult>& bundle() const noexcept { return s_.bundle; }
  [[nodiscard]] const std::optional<core::WaveletsResult>& wavelets() const noexcept { return s_.wavelets; }
  [[nodiscard]] const std::optional<core::RayContinuationResult>& rayContinuation() const noexcept { return s_.ray; }
  [[nodiscard]] const std::optional<core::BundleContinuationResult>& bundleContinuation() const noexcept {
    return s_.continuation;
  }
  [[nodiscard]] const std::optional<core::BundleWavelets>& bundleWavelets() const noexcept { return s_.bundleWavelets; }
  [[nodiscard]] const Path& path() const noexcept { return s_.path; }
  // The mirror scene's "position by Fermat" (every stationary path) and reflected bundle.
  [[nodiscard]] const std::optional<core::MirrorFermatResult>& mirrorFermat() const noexcept { return s_.mirrorFermat; }
  [[nodiscard]] const std::optional<core::MirrorBundleResult>& mirrorBundle() const noexcept { return s_.mirrorBundle; }
  [[nodiscard]] const std::optional<core::MirrorWavesResult>& mirrorWaves() const noexcept { return s_.mirrorWaves; }
  // The medium scene's.
  [[nodiscard]] const std::optional<core::MediumFermatResult>& mediumFermat() const noexcept { return s_.mediumFermat; }
  [[nodiscard]] const std::optional<core::MediumBundleResult>& mediumBundle() const noexcept { return s_.mediumBundle; }
  [[nodiscard]] std::optional<double> mediumFront() const noexcept { return s_.mediumFront; }
  [[nodiscard]] bool mediumBundleLast() const noexcept { return s_.mediumBundleLast; }

  void setFermat(core::FermatResult r);
  void setBundle(core::BundleResult b, std::optional<core::WaveletsResult> w);
  void setRayContinuation(core::RayContinuationResult r);
  void setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w);
  // The stored continuation again, for another slider value.
  void setBundleWavelets(core::BundleWavelets w);
  void setPath(const Path& p);
  void setMirrorFermat(core::MirrorFermatResult r);
  void setMirrorBundle(core::MirrorBundleResult b);
  // The waves' bundle becomes the last bundle as well.
  void setMirrorWaves(core::MirrorWavesResult w);
  void setMediumFermat(core::MediumFermatResult r);
  // A bundle, with the time of the front drawn over it, if one was.
  void setMediumBundle(core::MediumBundleResult b, std::optional<double> front);

  // Counts the continuations stored: what was drawn from the stored
  // continuation is good only while this stands.
  [[nodiscard]] std::uint64_t continuationSerial() const noexcept { return serial_; }

  [[nodiscard]] const Snapshot& snapshot() const noexcept { return s_; }
  // Replaces everything and says that everything changed.
  void restore(Snapshot s);

 private:
  void tell(Change c) {
    ++revisions_[static_cast<std::size_t>(c)];
    if (changed) changed(c);
  }
  Snapshot s_;
  std::array<std::uint64_t, kChangeKinds> revisions_{};
  std::uint64_t serial_ = 0;
};

// The travel-time curve for the path the results hold.
[[nodiscard]] graphs::CurveData CurrentCurve(const Results& results, const optics::Lens& lens);
// One row per ray of the last bundle, as the constructions left it; empty before any bundle.
[[nodiscard]] std::vector<graphs::BundleRayRow> CurrentBundle(const Results& results, const optics::Lens& lens);
// The paraxial image of the last bundle's source by the thick-lens formula
// (optics::ParaxialImage): the reference line of the crossings' graph. Empty
// before any bundle, for a source off the axis, and when the image is not real.
[[nodiscard]] std::optional<double> CurrentParaxialImage(const Results& results, const optics::Lens& lens);

}  // namespace lab
