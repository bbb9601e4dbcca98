#pragma once

#include "core/Inputs.h"
#include "lab/Controls.h"
#include "lab/SceneState.h"
#include "lab/Surface.h"
#include "optics/Mirror.h"

#include <vector>

namespace lab {

// Where the mirror scene puts the source and the target when it opens from
// the lens scene (each kept inside the frame): the elliptical mirror's
// default foci, so that its preset shows the whispering ellipse at once.
inline constexpr core::Point kMirrorSourceStart{-240, 90};
inline constexpr core::Point kMirrorTargetStart{-240, -90};
// A press this close to the target's centre takes the target, in pixels:
// the drawn disc is only a few pixels wide.
inline constexpr double kTargetGrabPixels = 8;

// A mirror as the scene draws it, made once when the mirror is taken: the
// mirror, its outline and the points it marks (a sphere's centre, a
// parabola's focus, an ellipse's foci), so that a redraw during a drag only
// draws.
struct MirrorShape {
  optics::MirrorDesign design;
  optics::Mirror mirror;
  std::vector<core::Point> outline;
  std::vector<core::Point> marks;
};
[[nodiscard]] MirrorShape ShapeOf(const optics::MirrorDesign& design, const optics::Mirror& mirror);

// The start-up of the mirror scene after FrameScene (the lens in force still
// sets the speed in air): the mirror scene drawn. The
// height bar is disabled: the target is a marker of its own here.
void BuildMirrorScene(Surface& surface, Controls& controls, SceneState& s, const MirrorShape& mirror,
                      core::Point target);

// Draws the mirror scene after a Cls: the axis, the mirror's marks (a
// sphere's centre, a parabola's focus, an ellipse's foci), the mirror (pen
// width 2) and the target marker. Leaves DrawWidth 1, FillStyle 0, the olive
// FillColor, as the lens scene's redraw does.
void RedrawMirrorScene(Surface& surface, const SceneState& s, const MirrorShape& mirror, core::Point target);

// The target marker of the mirror and medium scenes: a yellow disc ringed
// black at pen width 2; leaves DrawWidth 1, FillStyle 0, the olive FillColor.
void DrawTargetMarker(Surface& surface, core::Point target);

// Whether a press at (x, y) takes the target marker.
[[nodiscard]] bool HitsTarget(const Surface& surface, core::Point target, float x, float y);

// The point moved into the frame, where it is outside.
[[nodiscard]] core::Point InsideFrame(core::Point p, const SceneState& s);

}  // namespace lab
