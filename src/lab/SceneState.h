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
  float CentreOffset = 0;   // c: the first face's centre of curvature (165 for the standard lens; 0 when flat)
  float SurfaceRadius = 0;  // R: the first face's radius (0 when flat)
  float HalfAperture = 0;   // half height of the lens: sqrt(R^2 - c^2) for the standard lens
  float FirstArcStart = 0, FirstArcEnd = 0;    // the first face's arc about its centre, radians
  float SecondArcStart = 0, SecondArcEnd = 0;  // the second face's (through 0 for the standard lens)
  float FrameLeft = 0, FrameTop = 0;           // ScaleLeft, ScaleTop in pixels (both negative)
  float FillSeedX = 0, FillSeedY = 0;          // pixel of the world origin: seed of the lens fill
  float SpeedOutside = 0;                      // speed of light outside the glass
  float SpeedInside = 0;                       // and inside it
  float AspectX = 0, AspectY = 0;              // the client area's shares of width + height
  float XMax = 0, YMax = 0;                    // right and top edge of the world frame

  optics::Lens Glass;                          // the whole lens the constructions read

  // The lens constants as the constructions take them.
  [[nodiscard]] const optics::Lens& lens() const noexcept { return Glass; }
  // The world frame's edges as the constructions take them.
  [[nodiscard]] core::Frame frame() const noexcept { return {XMax, YMax}; }
};

// The target point for a height v of the target bar.
[[nodiscard]] core::Point TargetPoint(int v, const SceneState& s) noexcept;

}  // namespace lab
