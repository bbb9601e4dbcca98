#include "scene/SceneState.h"

#include "canvas/Shape.h"

#include <cmath>

namespace scene {

optics::Lens SceneState::lens() const noexcept {
  optics::Lens l;
  l.CentreOffset = CentreOffset;
  l.SurfaceRadius = SurfaceRadius;
  l.HalfAperture = HalfAperture;
  l.Pi = Pi;
  l.SpeedOutside = SpeedOutside;
  l.SpeedInside = SpeedInside;
  return l;
}

WorldPoint TargetPoint(int v, const SceneState& s) noexcept {
  const double R = s.SurfaceRadius, c = s.CentreOffset;
  // |v| <= 99 < R keeps the radicand positive; the atan form is the arc sine of v / R.
  const double a = std::atan(v / std::sqrt(R * R - double(v) * v));
  return {1.01 * R * std::cos(a) - c, R * std::sin(a)};
}

ShapeCentre CentreOf(const canvas::Shape& shape) {
  return {shape.Left() + shape.Width() / 2.0f, shape.Top() - shape.Height() / 2.0f};
}

}  // namespace scene
