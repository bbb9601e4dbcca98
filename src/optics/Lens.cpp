#include "optics/Lens.h"

#include <cmath>

#include "numeric/Single.h"

namespace optics {

Lens Lens::Standard() noexcept {
  constexpr double kCentreOffset = 165, kRadius = 180;
  Lens lens;
  // The rim height is formed in double and stored in float, like every other
  // constant of the lens; the search derives its start angle from this float.
  lens.HalfAperture = numeric::RoundToSingle(std::sqrt(kRadius * kRadius - kCentreOffset * kCentreOffset));
  lens.First = {.Radius = kRadius, .CentreX = kCentreOffset, .Facing = -1, .RimCos = kCentreOffset,
                .VertexX = kCentreOffset - kRadius};
  lens.Second = {.Radius = kRadius, .CentreX = -kCentreOffset, .Facing = 1, .RimCos = kCentreOffset,
                 .VertexX = kRadius - kCentreOffset};
  lens.Thickness = lens.Second.VertexX - lens.First.VertexX;
  return lens;
}

}  // namespace optics
