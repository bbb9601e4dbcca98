#include "optics/Mirror.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "numeric/Chars.h"

#include "text/Language.h"

namespace optics {

MirrorPoint Mirror::at(double u) const noexcept {
  switch (kind_) {
    case MirrorKind::Flat:
      return {.X = 0, .Y = u, .Dx = 0, .Dy = 1};
    case MirrorKind::Concave: {
      // Centre (-r, 0): the vertex is the point nearest the source.
      const double c = std::cos(u), s = std::sin(u);
      return {.X = -r_ + r_ * c, .Y = r_ * s, .Dx = -r_ * s, .Dy = r_ * c, .Ddx = -r_ * c, .Ddy = -r_ * s};
    }
    case MirrorKind::Convex: {
      const double c = std::cos(u), s = std::sin(u);
      return {.X = r_ - r_ * c, .Y = r_ * s, .Dx = r_ * s, .Dy = r_ * c, .Ddx = r_ * c, .Ddy = -r_ * s};
    }
    case MirrorKind::Parabolic:
      // y^2 = -4 f x, opening towards the source.
      return {.X = -u * u / (4 * r_), .Y = u, .Dx = -u / (2 * r_), .Dy = 1, .Ddx = -1 / (2 * r_), .Ddy = 0};
    case MirrorKind::Elliptical: {
      const double t = t0_ + u, c = std::cos(t), s = std::sin(t);
      // P = C + a cos t e1 + b sin t e2.
      return {.X = cx_ + a_ * c * e1x_ + b_ * s * e2x_,
              .Y = cy_ + a_ * c * e1y_ + b_ * s * e2y_,
              .Dx = -a_ * s * e1x_ + b_ * c * e2x_,
              .Dy = -a_ * s * e1y_ + b_ * c * e2y_,
              .Ddx = -a_ * c * e1x_ - b_ * s * e2x_,
              .Ddy = -a_ * c * e1y_ - b_ * s * e2y_};
    }
  }
  return {};
}

MirrorPoint Mirror::normal(double u) const noexcept {
  const MirrorPoint p = at(u);
  const double len = std::sqrt(p.Dx * p.Dx + p.Dy * p.Dy);
  if (!(len > 0)) return {.X = -1, .Y = 0};
  return {.X = -p.Dy / len, .Y = p.Dx / len};
}

struct MirrorMaker {
  static MirrorBuild make(const MirrorDesign& d);
  static std::string ellipse(const MirrorDesign& d, Mirror& m);
};

namespace {

// "the radius must be from 5 to 100000, got 2": `key` names the refusal's
// sentence in the catalogue (refusal.mirror.radius, .focal, .aperture).
std::string outside(std::string_view key, double v, double lo, double hi) {
  return text::Tr(std::string("refusal.mirror.") + std::string(key),
                  {{"low", numeric::ShortestDecimal(lo)}, {"high", numeric::ShortestDecimal(hi)}, {"value", numeric::ShortestDecimal(v)}});
}

bool within(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

}  // namespace

std::string MirrorMaker::ellipse(const MirrorDesign& d, Mirror& m) {
  for (const double v : {d.F1x, d.F1y, d.F2x, d.F2y}) {
    if (!std::isfinite(v) || std::abs(v) > kMaxFocusDistance)
      return text::Tr("refusal.mirror.focusFar", {{"distance", numeric::ShortestDecimal(kMaxFocusDistance)}});
  }
  const double d1 = std::sqrt(d.F1x * d.F1x + d.F1y * d.F1y), d2 = std::sqrt(d.F2x * d.F2x + d.F2y * d.F2y);
  const double fx = d.F2x - d.F1x, fy = d.F2y - d.F1y, between = std::sqrt(fx * fx + fy * fy);
  // The ellipse through the vertex has |P - F1| + |P - F2| = d1 + d2 = 2a;
  // it degenerates into the segment F1F2 when the vertex lies on that segment.
  const double a = (d1 + d2) / 2, c = between / 2;
  if (!(d1 > 0 && d2 > 0) || a - c <= 1e-9 * a) return text::Tr("refusal.mirror.vertexBetweenFoci");
  // The inside of the ellipse (where the foci are) is the side it reflects
  // on; it must face the source, to the left.
  const double inx = d.F1x / d1 + d.F2x / d2, iny = d.F1y / d1 + d.F2y / d2;
  const double inLen = std::sqrt(inx * inx + iny * iny);
  if (!(inLen > 0) || inx / inLen > -0.1) return text::Tr("refusal.mirror.fociRight");
  m.a_ = a;
  m.b_ = std::sqrt(std::max(0.0, a * a - c * c));
  m.cx_ = (d.F1x + d.F2x) / 2;
  m.cy_ = (d.F1y + d.F2y) / 2;
  if (between > 0) {
    m.e1x_ = fx / between;
    m.e1y_ = fy / between;
  }
  m.e2x_ = -m.e1y_;
  m.e2y_ = m.e1x_;
  // The vertex's eccentric angle: O = C + a cos t e1 + b sin t e2.
  const double ox = -m.cx_, oy = -m.cy_;
  m.t0_ = std::atan2((ox * m.e2x_ + oy * m.e2y_) / m.b_, (ox * m.e1x_ + oy * m.e1y_) / m.a_);
  // Orient u so that the front normal (-dy, dx) points inside.
  const MirrorPoint p = m.at(0);
  if (-p.Dy * inx + p.Dx * iny < 0) {
    m.e2x_ = -m.e2x_;
    m.e2y_ = -m.e2y_;
    m.t0_ = -m.t0_;
  }
  // The arc runs from the vertex both ways until |y| reaches the aperture, at
  // most half way round the ellipse each way: found by stepping, then halving.
  auto reach = [&](double dir) {
    constexpr int kSteps = 512;
    const double limit = std::numbers::pi * (1 - 1e-9);
    double inside = 0;
    for (int i = 1; i <= kSteps; ++i) {
      const double u = dir * limit * i / kSteps;
      if (std::abs(m.at(u).Y) > m.aperture_) {
        double lo = inside, hi = u;
        for (int k = 0; k < 80; ++k) {
          const double mid = (lo + hi) / 2;
          (std::abs(m.at(mid).Y) > m.aperture_ ? hi : lo) = mid;
        }
        return lo;
      }
      inside = u;
    }
    return dir * limit;
  };
  m.uMin_ = reach(-1);
  m.uMax_ = reach(+1);
  return {};
}

MirrorBuild MirrorMaker::make(const MirrorDesign& d) {
  Mirror m;
  m.kind_ = d.Kind;
  const bool sphere = d.Kind == MirrorKind::Concave || d.Kind == MirrorKind::Convex;
  if (sphere && !within(d.Radius, kMinMirrorRadius, kMaxMirrorRadius))
    return {std::nullopt, outside("radius", d.Radius, kMinMirrorRadius, kMaxMirrorRadius)};
  if (d.Kind == MirrorKind::Parabolic && !within(d.Focal, kMinMirrorFocal, kMaxMirrorFocal))
    return {std::nullopt, outside("focal", d.Focal, kMinMirrorFocal, kMaxMirrorFocal)};
  double aperture = d.Aperture.value_or(kDefaultMirrorAperture);
  if (!d.Aperture && sphere) aperture = std::min(aperture, d.Radius);
  if (!within(aperture, kMinMirrorAperture, kMaxMirrorAperture))
    return {std::nullopt, outside("aperture", aperture, kMinMirrorAperture, kMaxMirrorAperture)};
  if (sphere && aperture > d.Radius)
    return {std::nullopt, text::Tr("refusal.mirror.apertureOverRadius",
                                   {{"aperture", numeric::ShortestDecimal(aperture)}, {"radius", numeric::ShortestDecimal(d.Radius)}})};
  m.aperture_ = aperture;
  switch (d.Kind) {
    case MirrorKind::Flat:
    case MirrorKind::Parabolic:
      m.r_ = d.Kind == MirrorKind::Parabolic ? d.Focal : 0;
      m.uMin_ = -aperture;
      m.uMax_ = aperture;
      break;
    case MirrorKind::Concave:
    case MirrorKind::Convex:
      m.r_ = d.Radius;
      m.uMax_ = std::asin(aperture / d.Radius);
      m.uMin_ = -m.uMax_;
      break;
    case MirrorKind::Elliptical:
      if (std::string e = ellipse(d, m); !e.empty()) return {std::nullopt, e};
      break;
  }
  return {m, {}};
}

MirrorBuild MakeMirror(const MirrorDesign& design) { return MirrorMaker::make(design); }

std::span<const MirrorPreset> MirrorPresets() noexcept {
  // With the mirror scene's source (-240, 90) and target (-240, -90), the
  // ellipse through the vertex with foci there has a radius of curvature of
  // a^2/b = 273.75 at the vertex; a sphere of radius 150 is curved more
  // strongly, so the path by the vertex takes the most time.
  static const MirrorPreset kPresets[] = {
      {"flat", {.Kind = MirrorKind::Flat}},
      {"concave", {.Kind = MirrorKind::Concave, .Radius = 300}},
      {"convex", {.Kind = MirrorKind::Convex, .Radius = 300}},
      {"parabolic", {.Kind = MirrorKind::Parabolic, .Focal = 150}},
      {"elliptical", {.Kind = MirrorKind::Elliptical}},
      {"tangent-ellipse", {.Kind = MirrorKind::Concave, .Radius = 150}},
  };
  return kPresets;
}

}  // namespace optics
