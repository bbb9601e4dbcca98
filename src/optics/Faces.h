#pragma once

#include "optics/Lens.h"

namespace optics {

// The geometry of one face (see Face in Lens.h): points by parameter, the
// parameter of a height or a point, the normal. Every formula for a
// spherical face is the one the standard lens's arcs were built with, in the
// same order of operations, so the standard lens gives the same bits.

struct FacePoint {
  double X = 0, Y = 0;
};

// The point of the face (or of its extension beyond the rims) at parameter u.
[[nodiscard]] FacePoint PointOf(const Face& f, double u) noexcept;

// The parameter of the upper rim at height h; the lower rim is at its negative.
[[nodiscard]] double RimParameter(const Face& f, float h) noexcept;

// The parameter of the face's point at height y, |y| < Radius for a sphere.
[[nodiscard]] double ParameterAtHeight(const Face& f, double y) noexcept;

// The parameter of the face's point nearest (x, y) in direction from the
// centre: a sphere's polar angle about its centre, within +-pi/2 (+-pi/2 in
// Single on the vertical through the centre); a flat face's height y.
[[nodiscard]] double ParameterOf(const Face& f, double x, double y, float pi) noexcept;

// The parameter span of an angle: the angle itself on a sphere, that angle's
// length on an arc of kFlatReferenceRadius on a flat face.
[[nodiscard]] double ParameterSpan(const Face& f, double radians) noexcept;

// The normal at the face's point (x, y), pointing the light's way (+x);
// not of unit length: a sphere's is the radius vector, a flat face's (1, 0).
[[nodiscard]] FacePoint AxialNormal(const Face& f, double x, double y) noexcept;

// The x of the face's rims.
[[nodiscard]] double RimX(const Face& f) noexcept;

// The x of the face (or its extension) at height y; a sphere's vertex x
// where y lies beyond its radius.
[[nodiscard]] double FaceXAtHeight(const Face& f, double y) noexcept;

// Whether (x, y) lies in the glass: within the rims, between the two faces.
[[nodiscard]] bool InGlass(const Lens& lens, double x, double y) noexcept;

}  // namespace optics
