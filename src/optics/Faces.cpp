#include "optics/Faces.h"

#include <cmath>

#include "numeric/Elementary.h"

namespace optics {

FacePoint PointOf(const Face& f, double u) noexcept {
  if (f.Flat) return {f.VertexX, u};
  const numeric::SinAndCos t = numeric::SinCos(u);
  // Facing * Radius is +-Radius exactly: the product is c - R cos u for a
  // face left of its centre and R cos u - c (as -c + R cos u) right of it.
  return {f.CentreX + f.Facing * f.Radius * t.Cos, f.Radius * t.Sin};
}

double RimParameter(const Face& f, float h) noexcept {
  if (f.Flat) return h;
  // The quotient is formed in double from the float rim height.
  return numeric::Atan(static_cast<double>(h) / f.RimCos);
}

double ParameterAtHeight(const Face& f, double y) noexcept {
  if (f.Flat) return y;
  // The atan form of the arc sine of y / R.
  const double r = f.Radius;
  return numeric::Atan(y / std::sqrt(r * r - y * y));
}

double ParameterOf(const Face& f, double x, double y, float pi) noexcept {
  if (f.Flat) return y;
  const double dx = f.Facing > 0 ? x - f.CentreX : f.CentreX - x;
  if (dx == 0) return y > 0 ? pi / 2.0 : (y < 0 ? -pi / 2.0 : 0.0);
  return numeric::Atan(y / dx);
}

double ParameterSpan(const Face& f, double radians) noexcept {
  return f.Flat ? radians * kFlatReferenceRadius : radians;
}

FacePoint AxialNormal(const Face& f, double x, double y) noexcept {
  if (f.Flat) return {1, 0};
  if (f.Facing > 0) return {x - f.CentreX, y};
  return {f.CentreX - x, -y};
}

double RimX(const Face& f) noexcept {
  if (f.Flat) return f.VertexX;
  return f.CentreX + f.Facing * f.RimCos;
}

double FaceXAtHeight(const Face& f, double y) noexcept {
  if (f.Flat || !(std::abs(y) < f.Radius)) return f.VertexX;
  return PointOf(f, ParameterAtHeight(f, y)).X;
}

bool InGlass(const Lens& lens, double x, double y) noexcept {
  if (!(std::abs(y) < lens.HalfAperture)) return false;
  return x > FaceXAtHeight(lens.First, y) && x < FaceXAtHeight(lens.Second, y);
}

}  // namespace optics
