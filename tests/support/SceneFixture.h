#pragma once

#include "QtTesting.h"
#include "TestWindow.h"
#include "lab/StaticScene.h"

#include <vector>

namespace testing_support {

// A started program window whose lab logs from the first operation, seen as
// the scene it built: its form, its canvas, its surface, its scene constants.
struct SceneFixture {
  explicit SceneFixture(QSize client) : t_(client) {}

  canvas::Form& form() { return t_.form(); }
  const lab::SceneState& scene() { return t_.scene(); }
  canvas::Canvas& canvas() { return t_.canvas(); }
  lab::Surface& surface() { return t_.surface(); }
  const std::vector<lab::Op>& log() const { return t_.log(); }
  std::vector<lab::Op> ops(lab::Op::Kind kind) const { return t_.ops(kind); }
  QRgb pixelAt(double x, double y) const { return t_.pixelAt(x, y); }
  // A Cls and the static scene drawn again, as the program's procedures do.
  void clearAndRedraw() {
    lab::Lab& l = t_.w().lab();
    l.surface().Cls();
    lab::RedrawScene(l.surface(), l.controls(), l.scene());
    t_.w().catchUp();
  }

 private:
  TestWindow t_;
};

}  // namespace testing_support
