#include "optics/LensDesign.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "numeric/Chars.h"

#include "numeric/Single.h"
#include "text/Language.h"

namespace optics {
namespace {

// How far a face lies from its vertex towards the other face at height y:
// positive for a bulging face (its edge comes closer to the other face),
// negative for a hollow one; |y| <= |radius|.
double Sag(const FaceDesign& f, double y) {
  if (f.Flat) return 0;
  const double r = f.Radius;
  const double root = std::sqrt(std::max(0.0, r * r - y * y));
  return r > 0 ? r - root : r + root;
}

// The glass's width at height y: what is left of the thickness after both
// sags. It is monotonic in |y| (each sag is, and a bulging face's grows faster
// than a hollow face of larger radius shrinks it, and vice versa), which is
// why a check at the rim covers the whole aperture.
double EdgeThickness(const LensDesign& s, double y) { return s.Thickness - Sag(s.First, y) - Sag(s.Second, y); }

// The highest height a spherical face reaches; a flat face reaches any.
double Reach(const FaceDesign& f) { return f.Flat ? kMaxAperture : std::fabs(f.Radius); }

Face MakeFace(const FaceDesign& design, double vertex, double outwards, float h) {
  Face f;
  f.VertexX = vertex;
  if (design.Flat) {
    f.Flat = true;
    return f;
  }
  // A bulging face lies on the outer side of its centre, a hollow one on the
  // inner side. `outwards` is the direction from the glass through the face:
  // -1 for the first face, +1 for the second.
  f.Radius = std::fabs(design.Radius);
  f.Facing = design.Radius > 0 ? outwards : -outwards;
  f.CentreX = vertex - f.Facing * f.Radius;
  const double hh = static_cast<double>(h);
  f.RimCos = std::sqrt(std::max(0.0, f.Radius * f.Radius - hh * hh));
  return f;
}

std::string Number(double v) { return numeric::ShortestDecimal(v); }

std::string CheckRange(const char* what, double v, double low, double high) {
  if (std::isfinite(v) && v >= low && v <= high) return {};
  return text::Tr("refusal.lens.range", {{"what", what}, {"value", Number(v)}, {"low", Number(low)}, {"high", Number(high)}});
}

std::string CheckFace(const char* what, const FaceDesign& f) {
  if (f.Flat) return {};
  const double r = std::fabs(f.Radius);
  if (std::isfinite(f.Radius) && r >= kMinRadius && r <= kMaxRadius) return {};
  return text::Tr("refusal.lens.radius", {{"what", what},
                                          {"value", Number(f.Radius)},
                                          {"low", Number(kMinRadius)},
                                          {"high", Number(kMaxRadius)}});
}

}  // namespace

LensBuild MakeLens(const LensDesign& design) {
  if (design == LensDesign{}) return {Lens::Standard(), {}};
  auto refuse = [](std::string why) { return LensBuild{std::nullopt, std::move(why)}; };
  for (std::string why : {CheckRange("n", design.N, kMinIndex, kMaxIndex), CheckFace("r1", design.First),
                          CheckFace("r2", design.Second),
                          CheckRange("thickness", design.Thickness, kMinThickness, kMaxThickness)}) {
    if (!why.empty()) return refuse(why);
  }
  const double reach = std::min(Reach(design.First), Reach(design.Second));
  double h = 0;
  bool meet = false;
  if (design.Aperture) {
    h = *design.Aperture;
    if (!std::isfinite(h) || h <= 0 || h > kMaxAperture) {
      return refuse(text::Tr("refusal.lens.aperture", {{"value", Number(h)}, {"high", Number(kMaxAperture)}}));
    }
    for (const auto& [name, face] : {std::pair{"r1", design.First}, std::pair{"r2", design.Second}}) {
      if (!face.Flat && std::fabs(face.Radius) <= h) {
        return refuse(text::Tr("refusal.lens.radiusBelowAperture",
                               {{"what", name}, {"value", Number(face.Radius)}, {"aperture", Number(h)}}));
      }
    }
    // A rim given where the faces meet may come out a rounding below zero.
    const double edge = EdgeThickness(design, h);
    if (edge < -1e-9 * design.Thickness) {
      return refuse(text::Tr("refusal.lens.facesCross",
                             {{"edge", numeric::GeneralDecimal(edge, 3)}, {"height", Number(h)}}));
    }
    meet = edge <= 1e-9 * design.Thickness;
  } else if (EdgeThickness(design, reach) > 0) {
    // The faces never meet: the standard lens's height, which every face
    // reaches (it is below kMinRadius).
    h = Lens::Standard().HalfAperture;
  } else {
    // Where they meet, by bisection of the monotonic edge thickness; 200
    // halvings reach the last bit of any height up to the reach.
    double low = 0, high = reach;
    for (int i = 0; i < 200 && high - low > 0; ++i) {
      const double mid = low + (high - low) / 2;
      if (mid <= low || mid >= high) break;
      (EdgeThickness(design, mid) > 0 ? low : high) = mid;
    }
    h = low;
    meet = true;
  }
  const float aperture = numeric::RoundToSingle(h);
  if (!(aperture > 0)) return refuse(text::Tr("refusal.lens.apertureZero"));

  Lens lens;
  lens.HalfAperture = aperture;
  lens.SpeedOutside = numeric::RoundToSingle(design.N);
  lens.SpeedInside = 1;
  lens.Thickness = design.Thickness;
  lens.RimEdges = !meet;
  lens.First = MakeFace(design.First, -design.Thickness / 2, -1, aperture);
  lens.Second = MakeFace(design.Second, design.Thickness / 2, 1, aperture);
  return {lens, {}};
}

std::span<const LensPreset> LensPresets() noexcept {
  // Materials keep the standard shape; shapes keep the standard glass (light
  // twice as fast outside), so a class changes one thing at a time.
  static const std::array<LensPreset, 8> kPresets{{
      {"standard", {}},
      {"crown", {.N = 1.5}},
      {"water", {.N = 1.33}},
      {"diamond", {.N = 2.42}},
      {"plano-convex", {.Second = {.Flat = true}}},
      {"biconcave", {.First = {.Radius = -180}, .Second = {.Radius = -180}, .Thickness = 10,
                                   .Aperture = 72}},
      {"meniscus", {.Second = {.Radius = -300}, .Aperture = 100}},
      {"slab", {.First = {.Flat = true}, .Second = {.Flat = true}, .Thickness = 100,
                                                 .Aperture = 150}},
  }};
  return kPresets;
}

}  // namespace optics
