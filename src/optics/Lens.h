#pragma once

namespace optics {

// Single-precision pi as the program stores it: 4*atan(1) rounded to float.
// Every angle conversion and the 2-degree first step of the walk use this
// value, not the double pi, so results match the stored constants bit for bit.
inline constexpr float kSinglePi = 3.14159265358979323846f;

// The lens and media constants the searches need; the scene fills one at
// start-up and never changes it afterwards.
//
// Geometry (world units): the first surface is the left arc of the circle of
// radius SurfaceRadius about (+CentreOffset, 0); the second surface is the
// right arc of the same radius about (-CentreOffset, 0). The two arcs meet at
// the rims (0, +-HalfAperture). Speeds are world units per time unit.
//
// Invariant the searches rely on: CentreOffset, SpeedOutside and SpeedInside
// are non-zero (they divide).
struct Lens {
  float CentreOffset = 165.0f;   // c
  float SurfaceRadius = 180.0f;  // R
  float HalfAperture = 0.0f;     // sqrt(R^2 - c^2) rounded to float (about 71.9375)
  float Pi = kSinglePi;
  float SpeedOutside = 2.0f;
  float SpeedInside = 1.0f;

  // All fields at their defaults with HalfAperture = float(sqrt(180^2 - 165^2)).
  [[nodiscard]] static Lens Standard() noexcept;
};

}  // namespace optics
