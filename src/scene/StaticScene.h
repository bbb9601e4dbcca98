#pragma once

#include "scene/SceneState.h"

namespace canvas {
class Form;
}

namespace scene {

// The start-up of the scene on a freshly created form whose client area has
// its final size: derives the world frame from it, gives every constant its
// value, lays out the controls in world units and draws the static scene
// (axis, centre marks, lens outline, target marker, olive lens fill).
void BuildScene(canvas::Form& form, SceneState& s);

// Draws the static scene again after a Cls: edge dots, axis, centre marks,
// both surfaces, the target marker for the current height (pen width 2) and
// the lens fill. Leaves DrawWidth 1, FillStyle 0, the olive FillColor and the
// current point at the target point.
void RedrawScene(canvas::Form& form, const SceneState& s);

}  // namespace scene
