#pragma once

#include "scene/SceneState.h"

namespace canvas {
class Form;
}

namespace constructions {

// The point of the second surface's circle at height h on its right-hand side;
// h is not clipped to the lens, so beyond the rim it lies on the circle outside.
[[nodiscard]] scene::WorldPoint SurfacePointAtHeight(int h, const scene::SceneState& s) noexcept;

// Continues the ray leaving the lens at P = (x0, y0) by the wavelets about P
// and two neighbours, checked against the ratio of the speeds; up to three
// attempts with ever closer neighbours, every attempt drawn. On success draws
// the continued ray and the dashed normal and shows the index; beyond the
// critical angle reports total reflection.
void ContinueRay(canvas::Form& form, const scene::SceneState& s, double x0, double y0);

}  // namespace constructions
