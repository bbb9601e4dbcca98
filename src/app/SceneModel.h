#pragma once

#include "core/Bundle.h"
#include "core/BundleContinuation.h"
#include "core/Inputs.h"
#include "core/LeastTimeRay.h"
#include "core/RayContinuation.h"

#include <QObject>

#include <cstdint>
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

  // Everything the model holds, to put back after an action that in the end
  // changed nothing (a thumb dragged live and released where it started).
  struct Snapshot {
    std::optional<core::FermatResult> fermat;
    std::optional<core::BundleResult> bundle;
    std::optional<core::WaveletsResult> wavelets;
    std::optional<core::RayContinuationResult> ray;
    std::optional<core::BundleContinuationResult> continuation;
    std::optional<core::BundleWavelets> bundleWavelets;
    Path path;
  };

  explicit SceneModel(QObject* parent = nullptr) : QObject(parent) {}

  [[nodiscard]] const std::optional<core::FermatResult>& fermat() const noexcept { return s_.fermat; }
  // The last bundle built, by either bundle button or by the bundle continuation.
  [[nodiscard]] const std::optional<core::BundleResult>& bundle() const noexcept { return s_.bundle; }
  // The first wavelets, when the last bundle came from "SHOW FIRST CIRLCES AFTER LENS".
  [[nodiscard]] const std::optional<core::WaveletsResult>& wavelets() const noexcept { return s_.wavelets; }
  [[nodiscard]] const std::optional<core::RayContinuationResult>& rayContinuation() const noexcept { return s_.ray; }
  [[nodiscard]] const std::optional<core::BundleContinuationResult>& bundleContinuation() const noexcept {
    return s_.continuation;
  }
  // The slider's part of the last bundle continuation.
  [[nodiscard]] const std::optional<core::BundleWavelets>& bundleWavelets() const noexcept { return s_.bundleWavelets; }
  [[nodiscard]] const Path& path() const noexcept { return s_.path; }

  void setFermat(core::FermatResult r);
  void setBundle(core::BundleResult b, std::optional<core::WaveletsResult> w);
  void setRayContinuation(core::RayContinuationResult r);
  void setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w);
  // The stored continuation again, for another slider value: it is the last
  // bundle once more, with new wavelets.
  void setBundleWavelets(core::BundleWavelets w);
  void setPath(const Path& p);

  // Counts the continuations stored (not the wavelets of one): what was
  // drawn from the stored continuation is good only while this stands.
  [[nodiscard]] std::uint64_t continuationSerial() const noexcept { return serial_; }

  [[nodiscard]] const Snapshot& snapshot() const noexcept { return s_; }
  // Replaces everything and says that everything changed.
  void restore(Snapshot s);

 signals:
  void fermatChanged();
  void bundleChanged();
  void rayContinuationChanged();
  void bundleContinuationChanged();
  void pathChanged();

 private:
  Snapshot s_;
  std::uint64_t serial_ = 0;
};

}  // namespace app
