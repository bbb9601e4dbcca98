#include "window/SceneModel.h"

namespace app {

SceneModel::SceneModel(lab::Results& results, QObject* parent) : QObject(parent), r_(results) {
  using C = lab::Results::Change;
  r_.changed = [this](C c) {
    switch (c) {
      case C::Fermat: emit fermatChanged(); break;
      case C::Bundle: emit bundleChanged(); break;
      case C::Ray: emit rayContinuationChanged(); break;
      case C::Continuation: emit bundleContinuationChanged(); break;
      case C::Path: emit pathChanged(); break;
      case C::Mirror: emit mirrorChanged(); break;
    }
  };
}

}  // namespace app
