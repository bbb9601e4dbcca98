#include "lab/MirrorWhy.h"
#include "text/Language.h"

#include "core/MirrorFermat.h"
#include "graphs/CurveTexts.h"
#include "lab/Lab.h"

#include <cmath>
#include <numbers>

namespace lab {
namespace {

// Points of an overlay ellipse: smooth at any window size.
constexpr int kEllipseSteps = 180;
// How far either side of P the mirror is looked at, as a share of its
// parameter range: well inside the stretch where the time's second
// derivative keeps its sign, well above rounding.
constexpr double kSideStep = 1e-3;

double sumOfDistances(double x, double y, core::Point s, core::Point t) {
  return std::hypot(x - s.x, y - s.y) + std::hypot(x - t.x, y - t.y);
}

// "mirror inside the ellipse: maximum", in the language in force.
std::string sideText(EllipseSide side, optics::StationaryKind kind) {
  const char* key = side == EllipseSide::Inside    ? "why.inside"
                    : side == EllipseSide::Outside ? "why.outside"
                                                   : "why.across";
  return text::Tr(key, {{"kind", graphs::StationaryKindWord(kind)}});
}

}  // namespace

EllipseSide MirrorSideOfEllipse(const optics::Mirror& m, double u, core::Point s, core::Point t) {
  const optics::MirrorPoint p = m.at(u);
  const double on = sumOfDistances(p.X, p.Y, s, t);
  const double du = kSideStep * (m.uMax() - m.uMin());
  int inside = 0, outside = 0;
  for (const double v : {u - du, u + du}) {
    if (v < m.uMin() || v > m.uMax()) continue;
    const optics::MirrorPoint q = m.at(v);
    (sumOfDistances(q.X, q.Y, s, t) < on ? inside : outside) += 1;
  }
  if (inside > 0 && outside == 0) return EllipseSide::Inside;
  if (outside > 0 && inside == 0) return EllipseSide::Outside;
  return EllipseSide::Across;
}

ChallengeDrawing MirrorWhyDrawing(const Lab& lab) {
  ChallengeDrawing d;
  const MirrorShape* shape = lab.mirror();
  const auto& fermat = lab.results().mirrorFermat();
  if (!shape || !fermat || fermat->Stationary.Constant) return d;
  const core::Point s{fermat->Source.x, fermat->Source.y}, t = fermat->Target;
  // Once the source or the target has moved, the ellipses belong to no path shown.
  const ShapeCentre now = CentreOf(lab.controls().kyklos);
  if (now.x != fermat->Source.x || now.y != fermat->Source.y || lab.target().x != t.x || lab.target().y != t.y) {
    return d;
  }
  const double cx = (s.x + t.x) / 2, cy = (s.y + t.y) / 2;
  const double c = std::hypot(t.x - s.x, t.y - s.y) / 2;
  const double ex = c > 0 ? (t.x - s.x) / (2 * c) : 1, ey = c > 0 ? (t.y - s.y) / (2 * c) : 0;
  for (const optics::StationaryPoint& p : fermat->Stationary.Points) {
    const double a = sumOfDistances(p.X, p.Y, s, t) / 2;
    const double b = std::sqrt(std::max(0.0, a * a - c * c));
    if (!(b > 0)) continue;
    ChallengePath path{.colour = core::StationaryColour(p.Kind), .width = 1, .dash = {5, 4}};
    path.points.reserve(kEllipseSteps + 1);
    for (int k = 0; k <= kEllipseSteps; ++k) {
      const double phi = 2 * std::numbers::pi * k / kEllipseSteps;
      const double x = a * std::cos(phi), y = b * std::sin(phi);
      path.points.push_back({cx + x * ex - y * ey, cy + x * ey + y * ex});
    }
    d.paths.push_back(std::move(path));
    const EllipseSide side = MirrorSideOfEllipse(shape->mirror, p.U, s, t);
    d.dots.push_back({.at = {p.X, p.Y},
                      .fill = core::StationaryColour(p.Kind),
                      .outline = numeric::kBlack,
                      .radius = 3,
                      .text = sideText(side, p.Kind),
                      .textAbove = p.Y >= 0});
  }
  return d;
}

}  // namespace lab
