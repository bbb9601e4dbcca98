#include "scene/SceneState.h"

#include "canvas/Shape.h"


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

WorldPoint TargetPoint(int v, const SceneState& s) noexcept { return core::TargetPoint(v, s.lens()); }

ShapeCentre CentreOf(const canvas::Shape& shape) {
  return {shape.Left() + shape.Width() / 2.0f, shape.Top() - shape.Height() / 2.0f};
}

}  // namespace scene
