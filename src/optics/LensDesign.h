#pragma once

#include <optional>
#include <span>
#include <string>

#include "optics/Lens.h"

namespace optics {

// One face of a lens as the teacher gives it: flat, or part of a sphere with
// a signed radius in world units, positive when the face bulges outwards
// (away from the glass, as both faces of the standard lens do), negative when
// it is hollow.
struct FaceDesign {
  bool Flat = false;
  double Radius = 180;  // ignored when Flat
  bool operator==(const FaceDesign&) const = default;
};

// A lens as the teacher gives it. The first face is the one the light meets
// (left), the second the one it leaves by (right); the axis is y = 0 and the
// lens is centred on x = 0, its faces crossing the axis at -Thickness/2 and
// +Thickness/2. Every default is the standard lens's value.
struct LensDesign {
  double N = 2;  // light N times slower inside the glass than outside
  FaceDesign First, Second;
  double Thickness = 30;  // on the axis
  // Half the height of the lens. None: the height where the faces meet, or
  // for faces that never meet, the standard lens's half height.
  std::optional<double> Aperture;
  bool operator==(const LensDesign&) const = default;
};

// The bounds a lens must keep, in world units (the frame is about 600 wide
// and 380 high at a usual window size).
inline constexpr double kMinIndex = 1.05, kMaxIndex = 4;
// A spherical face reaches every height the target bar gives (|v| <= 99).
inline constexpr double kMinRadius = 100, kMaxRadius = 100000;
inline constexpr double kMinThickness = 2, kMaxThickness = 400;
inline constexpr double kMaxAperture = 400;

// The lens a LensDesign describes, or the one-line reason it cannot exist
// (index out of range, a radius below the aperture, faces that cross inside
// the aperture, no edge left, ...). The default LensDesign gives exactly
// Lens::Standard().
struct LensBuild {
  std::optional<Lens> lens;
  std::string error;  // empty when lens is set
};
[[nodiscard]] LensBuild MakeLens(const LensDesign& design);

// The prepared lenses of the Lens menu, the first being the standard lens.
struct LensPreset {
  const char* key;   // as --lens preset=KEY spells it
  LensDesign design;
};
[[nodiscard]] std::span<const LensPreset> LensPresets() noexcept;

}  // namespace optics
