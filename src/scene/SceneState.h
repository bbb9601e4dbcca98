#pragma once

#include "graphs/BundleRayRow.h"
#include "optics/Lens.h"
#include "optics/LeastTime.h"

#include <vector>

namespace canvas {
class Shape;
}

namespace scene {

// Everything the program knows about its scene, set by the start-up and read
// by every construction. All values are zero or empty until the start-up runs.
// Floats are the Singles of the stored constants; intermediate arithmetic is
// double everywhere.
struct SceneState {
  float Pi = 0;            // 4*atan(1) rounded to float
  float CentreOffset = 0;  // c: each surface's centre of curvature lies c from the origin
  float SurfaceRadius = 0; // R
  float HalfAperture = 0;  // sqrt(R^2 - c^2): half height of the lens
  float FirstArcStart = 0, FirstArcEnd = 0;    // the first surface about (c, 0), radians
  float SecondArcStart = 0, SecondArcEnd = 0;  // the second surface about (-c, 0), through 0
  float FrameLeft = 0, FrameTop = 0;  // ScaleLeft, ScaleTop in pixels (both negative)
  float FillSeedX = 0, FillSeedY = 0; // pixel of the world origin: seed of the lens fill
  float SpeedOutside = 0;  // speed of light outside the glass
  float SpeedInside = 0;   // and inside it
  float AspectX = 0, AspectY = 0;  // the client area's shares of width + height
  float XMax = 0, YMax = 0;        // right and top edge of the world frame

  // The bundle: one element per ray, indices 0..N, element i always the same ray.
  std::vector<double> ExitX, ExitY;                // exit point on the second surface
  std::vector<float> EntryX, EntryY, ArrivalTime;  // least-time entry point and arrival time
  optics::PathPoint WavefrontPoint;                // of the last continued bundle ray
  std::vector<optics::PathPoint> WavefrontPoints;  // per bundle ray; {0,0,0} if not continued
  // What the last continuation drew per bundle ray, for the graphs and --bundle
  // only (no construction reads it): written like WavefrontPoint(s), reset
  // with the bundle arrays.
  graphs::RayContinuation LastContinuation;
  std::vector<graphs::RayContinuation> Continuations;

  // The constants the least-time search needs, as stored here.
  [[nodiscard]] optics::Lens lens() const noexcept;
};

struct WorldPoint {
  double x = 0, y = 0;
};

// The target point for a height v of the target bar: on the line y = v, one
// hundredth of R cos a right of the second surface, a = asin(v / R).
[[nodiscard]] WorldPoint TargetPoint(int v, const SceneState& s) noexcept;

// Centre of a circle shape by the placement rule (Left + Width/2, Top - Height/2), in Single arithmetic.
struct ShapeCentre {
  float x = 0, y = 0;
};
[[nodiscard]] ShapeCentre CentreOf(const canvas::Shape& shape);

}  // namespace scene
