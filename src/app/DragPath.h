#pragma once

#include "scene/SceneState.h"

namespace canvas {
class Form;
}

namespace app {

// What the release of a marker drag shows, for the source s and the entry
// point p (one of them the pointer's position): Cls, the static scene, the
// path s -> p -> target point in ForeColor and its travel time in Label2. The
// release and every live move of a drag draw through this one function.
// Returns the travel time shown.
double DrawDragPath(canvas::Form& form, const scene::SceneState& scene, scene::ShapeCentre s, scene::ShapeCentre p);

}  // namespace app
