#include "app/SceneModel.h"

#include <utility>

namespace app {

void SceneModel::setFermat(core::FermatResult r) {
  fermat_ = std::move(r);
  emit fermatChanged();
}

void SceneModel::setBundle(core::BundleResult b, std::optional<core::WaveletsResult> w) {
  bundle_ = std::move(b);
  wavelets_ = std::move(w);
  emit bundleChanged();
}

void SceneModel::setRayContinuation(core::RayContinuationResult r) {
  ray_ = std::move(r);
  emit rayContinuationChanged();
}

void SceneModel::setBundleContinuation(core::BundleContinuationResult c, core::BundleWavelets w) {
  // The continuation rebuilt the bundle: it is the last bundle as well.
  bundle_ = c.Bundle;
  wavelets_.reset();
  continuation_ = std::move(c);
  bundleWavelets_ = std::move(w);
  emit bundleChanged();
  emit bundleContinuationChanged();
}

void SceneModel::setPath(const Path& p) {
  path_ = p;
  emit pathChanged();
}

}  // namespace app
