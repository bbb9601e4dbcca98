#pragma once

#include "core/Inputs.h"
#include "optics/Lens.h"

namespace lab {

// Everything the program knows about its scene, set by the start-up and read
// by the event procedures. All values are zero until the start-up runs.
// Floats are the Singles of the stored constants; intermediate arithmetic is
// double everywhere.
struct SceneState {
  float Pi = 0;             // 4*atan(1) rounded to float
  float CentreOffset = 0;   // c: each surface's centre of curvature lies c from the origin
  float SurfaceRadius = 0;  // R
  float HalfAperture = 0;   // sqrt(R^2 - c^2): half height of the lens
  float FirstArcStart = 0, FirstArcEnd = 0;    // the first surface about (c, 0), radians
  float SecondArcStart = 0, SecondArcEnd = 0;  // the second surface about (-c, 0), through 0
  float FrameLeft = 0, FrameTop = 0;           // ScaleLeft, ScaleTop in pixels (both negative)
  float FillSeedX = 0, FillSeedY = 0;          // pixel of the world origin: seed of the lens fill
  float SpeedOutside = 0;                      // speed of light outside the glass
  float SpeedInside = 0;                       // and inside it
  float AspectX = 0, AspectY = 0;              // the client area's shares of width + height
  float XMax = 0, YMax = 0;                    // right and top edge of the world frame

  // The lens constants as the constructions take them.
  [[nodiscard]] optics::Lens lens() const noexcept;
  // The world frame's edges as the constructions take them.
  [[nodiscard]] core::Frame frame() const noexcept { return {XMax, YMax}; }
};

// The target point for a height v of the target bar.
[[nodiscard]] core::Point TargetPoint(int v, const SceneState& s) noexcept;

}  // namespace lab
