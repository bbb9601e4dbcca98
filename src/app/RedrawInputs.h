#pragma once

#include "canvas/Canvas.h"
#include "scene/SceneState.h"

namespace canvas {
class Form;
}

namespace app {

// What a redraw reads besides the controls: the canvas's persistent drawing
// state (fill style and colour, pen, current point) and the scene state (the
// bundle arrays, the wavefront record). A complete action drawn live in
// several steps must end as the one step of the classic program would, so
// every step starts from the inputs the action started from.
struct RedrawInputs {
  canvas::Canvas::DrawingState drawing;
  scene::SceneState scene;

  [[nodiscard]] static RedrawInputs Of(const canvas::Form& form, const scene::SceneState& scene);
  void applyTo(canvas::Form& form, scene::SceneState& into) const;
};

}  // namespace app
