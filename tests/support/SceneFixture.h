#pragma once

#include "QtTesting.h"
#include "canvas/Form.h"
#include "scene/SceneState.h"
#include "scene/StaticScene.h"

#include <vector>

namespace testing_support {

// A form with the scene built on it, the canvas logging from the first
// operation: the scene layer alone, without the program's window.
struct SceneFixture {
  explicit SceneFixture(QSize client) : form_(client) {
    form_.canvas.setLogging(true);
    scene::BuildScene(form_, s_);
  }

  canvas::Form& form() { return form_; }
  scene::SceneState& scene() { return s_; }
  canvas::Canvas& canvas() { return form_.canvas; }
  std::vector<canvas::CanvasOp> ops(canvas::CanvasOp::Kind kind) const {
    std::vector<canvas::CanvasOp> out;
    for (const canvas::CanvasOp& op : form_.canvas.log())
      if (op.kind == kind) out.push_back(op);
    return out;
  }
  QRgb pixelAt(double x, double y) const { return PixelAtWorld(form_.canvas, x, y); }

 private:
  canvas::Form form_;
  scene::SceneState s_;
};

}  // namespace testing_support
