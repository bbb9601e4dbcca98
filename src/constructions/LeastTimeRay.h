#pragma once

#include "scene/SceneState.h"

namespace canvas {
class Form;
}

namespace constructions {

// The least-time ray from the source to the target point: draws source ->
// entry point -> target, moves the entry marker onto the entry point, draws the
// dotted normal there and shows both angles, their sine ratio and the time.
void PositionByFermat(canvas::Form& form, const scene::SceneState& s);

}  // namespace constructions
