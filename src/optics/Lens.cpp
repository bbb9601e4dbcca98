#include "optics/Lens.h"

#include <cmath>

#include "numeric/Single.h"

namespace optics {

Lens Lens::Standard() noexcept {
  Lens lens;
  // The rim height is formed in double and stored in float, like every other
  // constant of the lens; the search derives its start angle from this float.
  const double c = lens.CentreOffset;
  const double r = lens.SurfaceRadius;
  lens.HalfAperture = numeric::RoundToSingle(std::sqrt(r * r - c * c));
  return lens;
}

}  // namespace optics
