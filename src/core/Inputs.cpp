#include "core/Inputs.h"

#include "numeric/Elementary.h"
#include "optics/Geometry.h"

#include <cmath>

namespace core {

Point TargetPoint(int v, const optics::Lens& lens) noexcept {
  const double R = lens.SurfaceRadius, c = lens.CentreOffset;
  // |v| <= 99 < R keeps the radicand positive; the atan form is the arc sine of v / R.
  const numeric::SinAndCos a = numeric::SinCos(numeric::Atan(v / std::sqrt(R * R - double(v) * v)));
  return {1.01 * R * a.Cos - c, R * a.Sin};
}

Point SurfacePointAtHeight(int h, const optics::Lens& lens) noexcept {
  const double R = lens.SurfaceRadius;
  const numeric::SinAndCos theta = numeric::SinCos(numeric::Atan(h / std::sqrt(R * R - double(h) * h)));
  return {R * theta.Cos - lens.CentreOffset, R * theta.Sin};
}

double CriticalAngle(const optics::Lens& lens) noexcept {
  return optics::ArcSin(lens.SpeedInside / lens.SpeedOutside);  // float quotient: 0.5 exactly
}

}  // namespace core
