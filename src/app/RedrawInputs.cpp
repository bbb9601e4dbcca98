#include "app/RedrawInputs.h"

#include "canvas/Form.h"

namespace app {

RedrawInputs RedrawInputs::Of(const canvas::Form& form, const scene::SceneState& scene) {
  return {.drawing = form.canvas.drawingState(), .scene = scene};
}

void RedrawInputs::applyTo(canvas::Form& form, scene::SceneState& into) const {
  form.canvas.setDrawingState(drawing);
  into = scene;
}

}  // namespace app
