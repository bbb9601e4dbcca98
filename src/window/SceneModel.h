#pragma once

#include "lab/Results.h"

#include <QObject>

namespace app {

// The lab's results with Qt signals, for the views that follow them (the
// graph window): each change the lab makes is announced once. It holds
// nothing of its own.
class SceneModel final : public QObject {
  Q_OBJECT

 public:
  using Path = lab::Results::Path;
  using Snapshot = lab::Results::Snapshot;

  explicit SceneModel(lab::Results& results, QObject* parent = nullptr);

  [[nodiscard]] const std::optional<core::FermatResult>& fermat() const noexcept { return r_.fermat(); }
  [[nodiscard]] const std::optional<core::BundleResult>& bundle() const noexcept { return r_.bundle(); }
  [[nodiscard]] const std::optional<core::WaveletsResult>& wavelets() const noexcept { return r_.wavelets(); }
  [[nodiscard]] const std::optional<core::RayContinuationResult>& rayContinuation() const noexcept {
    return r_.rayContinuation();
  }
  [[nodiscard]] const std::optional<core::BundleContinuationResult>& bundleContinuation() const noexcept {
    return r_.bundleContinuation();
  }
  [[nodiscard]] const std::optional<core::BundleWavelets>& bundleWavelets() const noexcept {
    return r_.bundleWavelets();
  }
  [[nodiscard]] const Path& path() const noexcept { return r_.path(); }
  [[nodiscard]] std::uint64_t continuationSerial() const noexcept { return r_.continuationSerial(); }
  [[nodiscard]] const Snapshot& snapshot() const noexcept { return r_.snapshot(); }
  [[nodiscard]] const lab::Results& results() const noexcept { return r_; }

  // For tests that put a result in place as a construction would.
  void setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w) {
    r_.setBundleContinuation(std::move(c), std::move(w));
  }

 signals:
  void fermatChanged();
  void bundleChanged();
  void rayContinuationChanged();
  void bundleContinuationChanged();
  void pathChanged();
  void mirrorChanged();

 private:
  lab::Results& r_;
};

}  // namespace app
