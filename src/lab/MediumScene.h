#pragma once

#include "core/Inputs.h"
#include "lab/Controls.h"
#include "lab/SceneState.h"
#include "lab/Surface.h"
#include "optics/Medium.h"

#include <vector>

namespace lab {

// Where the medium scene puts the source and the target when a medium that
// is no preset is taken from another scene.
inline constexpr core::Point kMediumSourceStart{-300, 0};
inline constexpr core::Point kMediumTargetStart{300, 0};

// A medium as the scene draws it, made once when it is taken: the medium,
// the lines where it ends or changes (a layer's boundary, the Luneburg
// lens's rim, the hot road's surface where the index falls to the least a
// medium may have), and where the source and the target start.
struct MediumShape {
  optics::MediumDesign design;
  optics::Medium medium;
  std::vector<std::vector<core::Point>> edges;
  core::Point sourceStart, targetStart;
};
// The shape in a frame of that size (the edges clipped to it).
[[nodiscard]] MediumShape ShapeOf(const optics::MediumDesign& design, const optics::Medium& medium, core::Frame frame);

// The start-up of the medium scene after FrameScene: the height bar
// disabled (the target is a marker of its own), the scene drawn.
void BuildMediumScene(Surface& surface, Controls& controls, const SceneState& s, const MediumShape& medium,
                      core::Point target);

// Draws the medium scene after a Cls: the axis, the medium's edges dashed
// grey and the target marker. Leaves DrawWidth 1, DrawStyle 0, FillStyle 0
// and the olive FillColor.
void RedrawMediumScene(Surface& surface, const SceneState& s, const MediumShape& medium, core::Point target);

}  // namespace lab
