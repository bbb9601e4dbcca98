#include "app/SceneModel.h"

#include <utility>

namespace app {

void SceneModel::setFermat(core::FermatResult r) {
  s_.fermat = std::move(r);
  emit fermatChanged();
}

void SceneModel::setBundle(core::BundleResult b, std::optional<core::WaveletsResult> w) {
  s_.bundle = std::move(b);
  s_.wavelets = std::move(w);
  emit bundleChanged();
}

void SceneModel::setRayContinuation(core::RayContinuationResult r) {
  s_.ray = std::move(r);
  emit rayContinuationChanged();
}

void SceneModel::setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w) {
  // The continuation rebuilt the bundle: it is the last bundle as well.
  s_.bundle = c.Bundle;
  s_.wavelets.reset();
  s_.continuation = std::move(c);
  ++serial_;
  s_.bundleWavelets = std::move(w);
  emit bundleChanged();
  emit bundleContinuationChanged();
}

void SceneModel::setBundleWavelets(core::BundleWavelets w) {
  if (!s_.continuation) return;
  s_.bundle = s_.continuation->Bundle;
  s_.wavelets.reset();
  s_.bundleWavelets = std::move(w);
  emit bundleChanged();
  emit bundleContinuationChanged();
}

void SceneModel::setPath(const Path& p) {
  s_.path = p;
  emit pathChanged();
}

void SceneModel::restore(Snapshot s) {
  s_ = std::move(s);
  ++serial_;
  emit fermatChanged();
  emit bundleChanged();
  emit rayContinuationChanged();
  emit bundleContinuationChanged();
  emit pathChanged();
}

}  // namespace app
