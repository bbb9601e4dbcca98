#pragma once

#include "lab/Controls.h"
#include "lab/SceneState.h"
#include "lab/Surface.h"

namespace lab {

// The frame, the constants and the controls' layout of a start-up, drawing
// nothing: what the lens scene and the mirror scene start from.
void FrameScene(Surface& surface, Controls& controls, SceneState& s, const optics::Lens& lens);

// The start-up of the scene with `lens` on a fresh surface whose client area has its
// final size: derives the world frame from it, gives every constant its
// value, lays out the controls in world units and draws the static scene
// (axis, centre marks, lens outline, target marker, olive lens fill).
void BuildScene(Surface& surface, Controls& controls, SceneState& s, const optics::Lens& lens);

// Draws the static scene again after a Cls: edge dots, axis, centre marks,
// both surfaces, the target marker for the current height (pen width 2) and
// the lens fill. Leaves DrawWidth 1, FillStyle 0, the olive FillColor and the
// current point at the target point.
void RedrawScene(Surface& surface, const Controls& controls, const SceneState& s);

// The lens as a closed polygon in world units (both arcs, rim to rim): the
// region the lens fill covers, for painters that have no pixels to fill.
[[nodiscard]] std::shared_ptr<const std::vector<core::Point>> LensOutline(const SceneState& s);

}  // namespace lab
