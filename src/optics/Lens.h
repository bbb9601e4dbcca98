#pragma once

namespace optics {

// Single-precision pi as the program stores it: 4*atan(1) rounded to float.
// Every angle conversion and the 2-degree first step of the walk use this
// value, not the double pi, so results match the stored constants bit for bit.
inline constexpr float kSinglePi = 3.14159265358979323846f;

// A flat face is walked, sampled and spaced by height as an arc of this
// radius is by angle: its first step of the walk is 2 degrees of such an arc
// in length, its neighbour spacing likewise.
inline constexpr double kFlatReferenceRadius = 180;

// One face of the lens, in world units on the axis y = 0.
//
// A spherical face is the part of the circle of radius Radius about
// (CentreX, 0) that lies on the side Facing of its centre (Facing = -1: left
// of the centre, +1: right of it), parametrised by the angle u from the axis:
//
//   point(u) = (CentreX + Facing * Radius * cos u, Radius * sin u),
//
// so u = 0 is the vertex and u grows upwards. Its rim, at height
// HalfAperture, lies at u = +-atan(HalfAperture / RimCos), RimCos being the
// rim's axial distance from the centre.
//
// A flat face is the vertical line x = VertexX, parametrised by the height:
// point(u) = (VertexX, u).
struct Face {
  bool Flat = false;
  double Radius = 0;   // of a spherical face
  double CentreX = 0;  // its centre of curvature
  double Facing = 0;   // -1 or +1, see above
  double RimCos = 0;   // sqrt(Radius^2 - HalfAperture^2), or the stored constant
  double VertexX = 0;  // where the face crosses the axis, for either kind
};

// The lens and media constants every construction reads.
//
// The first face (x < 0) is where light from the source enters the glass,
// the second (x > 0) where it leaves. Speeds are world units per time unit,
// light SpeedOutside / SpeedInside times slower in the glass. The standard
// lens is two arcs of radius 180 about (+-165, 0) meeting at the rims
// (0, +-HalfAperture), light twice as fast outside the glass.
//
// Invariants the constructions rely on: SpeedOutside and SpeedInside are
// non-zero (they divide), a spherical face's Radius and RimCos are non-zero,
// and the origin lies inside the glass (the fill's seed).
struct Lens {
  float HalfAperture = 0;  // the rims' height; for the standard lens sqrt(R^2 - c^2) rounded to float (about 71.9375)
  float Pi = kSinglePi;
  float SpeedOutside = 2.0f;
  float SpeedInside = 1.0f;
  Face First, Second;
  double Thickness = 30;  // on the axis
  // Whether the faces end apart at the rims, joined there by flat edges
  // (y = +-HalfAperture); otherwise they meet at the rims.
  bool RimEdges = false;

  // The standard lens: the faces about (+165, 0) and (-165, 0), radius 180,
  // RimCos 165 exactly (the centre offset the rim angle is formed from).
  [[nodiscard]] static Lens Standard() noexcept;
};

}  // namespace optics
