#pragma once

#include "optics/CurvedPath.h"
#include "optics/Medium.h"

#include <vector>

namespace optics {

// The ray equation d/ds (n t) = grad n, integrated by the classical
// fourth-order Runge-Kutta method in the arc length s, with the state
// (x, y, n t). This is the second, independent construction of a curved
// ray: it starts from a direction and follows the local bending, where the
// least-time path is found from the times of whole paths.
//
// In layers of constant index the gradient is zero inside each layer and a
// jump at each boundary; there the equation's integral across the jump
// keeps the momentum's component along the boundary (n t_x) and gives the
// other from |n t| = n, or turns the ray back where no such component
// exists.
//
// The ray runs for `length` in steps of `step` (world units) or until it
// leaves the medium; the points are every step's end, the start first.
[[nodiscard]] std::vector<PlanePoint> IntegrateRay(const Medium& medium, PlanePoint from, double directionX,
                                                  double directionY, double length, double step);

// The largest distance of any of the path's points from the ray's
// polyline, in world units: how far the two constructions lie apart. The
// ray's steps must be short (the chord between steps lies within
// curvature x step^2 / 8 of the ray).
[[nodiscard]] double LargestDistance(const std::vector<PlanePoint>& path, const std::vector<PlanePoint>& ray);

// The path's length as a polyline.
[[nodiscard]] double PolylineLength(const std::vector<PlanePoint>& path);

}  // namespace optics
