#include "core/Inputs.h"

#include "optics/Geometry.h"

#include <cmath>

namespace core {

Point TargetPoint(int v, const optics::Lens& lens) noexcept {
  const double R = lens.SurfaceRadius, c = lens.CentreOffset;
  // |v| <= 99 < R keeps the radicand positive; the atan form is the arc sine of v / R.
  const double a = std::atan(v / std::sqrt(R * R - double(v) * v));
  return {1.01 * R * std::cos(a) - c, R * std::sin(a)};
}

Point SurfacePointAtHeight(int h, const optics::Lens& lens) noexcept {
  const double R = lens.SurfaceRadius;
  const double theta = std::atan(h / std::sqrt(R * R - double(h) * h));
  return {R * std::cos(theta) - lens.CentreOffset, R * std::sin(theta)};
}

double CriticalAngle(const optics::Lens& lens) noexcept {
  return optics::ArcSin(lens.SpeedInside / lens.SpeedOutside);  // float quotient: 0.5 exactly
}

}  // namespace core
