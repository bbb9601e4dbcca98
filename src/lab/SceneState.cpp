#include "lab/SceneState.h"

namespace lab {

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

core::Point TargetPoint(int v, const SceneState& s) noexcept { return core::TargetPoint(v, s.lens()); }

}  // namespace lab
