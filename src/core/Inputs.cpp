#include "core/Inputs.h"

#include "numeric/Elementary.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"

#include <cmath>

namespace core {

Point TargetPoint(int v, const optics::Lens& lens) noexcept {
  const optics::Face& f = lens.Second;
  // On a flat face the target sits on the face itself.
  if (f.Flat) return {f.VertexX, double(v)};
  // |v| <= 99 < R keeps the radicand positive; the atan form is the arc sine
  // of v / R. One hundredth of R cos a beyond the face: the product reads
  // 1.01 R cos a - c for the standard lens.
  const numeric::SinAndCos a = numeric::SinCos(optics::ParameterAtHeight(f, v));
  return {1.01 * f.Facing * f.Radius * a.Cos + f.CentreX, f.Radius * a.Sin};
}

Point SurfacePointAtHeight(int h, const optics::Lens& lens) noexcept {
  const optics::FacePoint p = optics::PointOf(lens.Second, optics::ParameterAtHeight(lens.Second, h));
  return {p.X, p.Y};
}

double CriticalAngle(const optics::Lens& lens) noexcept {
  return optics::ArcSin(lens.SpeedInside / lens.SpeedOutside);  // float quotient: 0.5 exactly for the standard lens
}

}  // namespace core
