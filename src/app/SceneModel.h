#pragma once

#include "core/Bundle.h"
#include "core/BundleContinuation.h"
#include "core/Inputs.h"
#include "core/LeastTimeRay.h"
#include "core/RayContinuation.h"

#include <QObject>

#include <optional>

namespace app {

// The results of the last constructions, as the last complete action left
// them, for every view that shows or exports them: the labels are written in
// step with it, graphs and export read it, and a live view can replay the
// stored bundle continuation for another slider value (core::WaveletsAt)
// without computing it again. Each setter replaces its result whole and says
// so; nothing here is read back from a widget.
class SceneModel final : public QObject {
  Q_OBJECT

 public:
  // Source, entry point and target as the markers and the height bar stand,
  // and the travel time last shown for them (by a release or by "position by
  // Fermat"), if any.
  struct Path {
    core::SourcePoint Source, Entry;
    core::Point Target;
    std::optional<double> Time;
  };

  explicit SceneModel(QObject* parent = nullptr) : QObject(parent) {}

  [[nodiscard]] const std::optional<core::FermatResult>& fermat() const noexcept { return fermat_; }
  // The last bundle built, by either bundle button or by the bundle continuation.
  [[nodiscard]] const std::optional<core::BundleResult>& bundle() const noexcept { return bundle_; }
  // The first wavelets, when the last bundle came from "SHOW FIRST CIRLCES AFTER LENS".
  [[nodiscard]] const std::optional<core::WaveletsResult>& wavelets() const noexcept { return wavelets_; }
  [[nodiscard]] const std::optional<core::RayContinuationResult>& rayContinuation() const noexcept { return ray_; }
  [[nodiscard]] const std::optional<core::BundleContinuationResult>& bundleContinuation() const noexcept {
    return continuation_;
  }
  // The slider's part of the last bundle continuation.
  [[nodiscard]] const std::optional<core::BundleWavelets>& bundleWavelets() const noexcept { return bundleWavelets_; }
  [[nodiscard]] const Path& path() const noexcept { return path_; }

  void setFermat(core::FermatResult r);
  void setBundle(core::BundleResult b, std::optional<core::WaveletsResult> w);
  void setRayContinuation(core::RayContinuationResult r);
  void setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w);
  void setPath(const Path& p);

 signals:
  void fermatChanged();
  void bundleChanged();
  void rayContinuationChanged();
  void bundleContinuationChanged();
  void pathChanged();

 private:
  std::optional<core::FermatResult> fermat_;
  std::optional<core::BundleResult> bundle_;
  std::optional<core::WaveletsResult> wavelets_;
  std::optional<core::RayContinuationResult> ray_;
  std::optional<core::BundleContinuationResult> continuation_;
  std::optional<core::BundleWavelets> bundleWavelets_;
  Path path_;
};

}  // namespace app
