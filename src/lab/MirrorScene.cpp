#include "lab/MirrorScene.h"

#include "core/MirrorFermat.h"

#include <algorithm>
#include <cmath>

namespace lab {
namespace {

// The outline's segments: at the widest frame a sphere's arc of 180 units
// turns by under a pixel's sagitta between two points.
constexpr int kOutlineSteps = 128;

}  // namespace

void DrawTargetMarker(Surface& c, core::Point t) {
  c.FillStyle = 0;
  c.FillColor = numeric::kYellow;
  c.DrawWidth = 2;
  c.Circle(t.x, t.y, 1.5, numeric::kBlack);
  c.DrawWidth = 1;
  c.FillColor = numeric::kOlive;
}

MirrorShape ShapeOf(const optics::MirrorDesign& design, const optics::Mirror& mirror) {
  MirrorShape shape{.design = design, .mirror = mirror, .outline = core::MirrorOutline(mirror, kOutlineSteps)};
  switch (design.Kind) {
    case optics::MirrorKind::Concave: shape.marks.push_back({-design.Radius, 0}); break;
    case optics::MirrorKind::Convex: shape.marks.push_back({design.Radius, 0}); break;
    case optics::MirrorKind::Parabolic: shape.marks.push_back({-design.Focal, 0}); break;
    case optics::MirrorKind::Elliptical:
      shape.marks.push_back({design.F1x, design.F1y});
      shape.marks.push_back({design.F2x, design.F2y});
      break;
    case optics::MirrorKind::Flat: break;
  }
  return shape;
}

void BuildMirrorScene(Surface& c, Controls& f, SceneState& s, const MirrorShape& mirror, core::Point target) {
  f.thesiy.enabled = false;
  RedrawMirrorScene(c, s, mirror, target);
}

void RedrawMirrorScene(Surface& c, const SceneState& s, const MirrorShape& mirror, core::Point target) {
  c.Line(-500.0 * s.AspectX, 0, 500.0 * s.AspectX, 0, numeric::kRed);
  c.FillStyle = 1;  // the marks are rings, whatever the last construction left
  for (const core::Point& m : mirror.marks) c.Circle(m.x, m.y, 2);
  c.DrawWidth = 2;
  const std::vector<core::Point>& o = mirror.outline;
  if (o.size() >= 2) {
    c.Line(o[0].x, o[0].y, o[1].x, o[1].y);
    for (std::size_t i = 2; i < o.size(); ++i) c.LineTo(o[i].x, o[i].y);
  }
  c.DrawWidth = 1;
  DrawTargetMarker(c, target);
}

bool HitsTarget(const Surface& surface, core::Point target, float x, float y) {
  const PixelPoint a = surface.frame().toPixel(target.x, target.y), b = surface.frame().toPixel(x, y);
  return std::hypot(a.x - b.x, a.y - b.y) <= kTargetGrabPixels;
}

core::Point InsideFrame(core::Point p, const SceneState& s) {
  const double xm = s.XMax, ym = s.YMax;
  return {std::clamp(p.x, -xm, xm), std::clamp(p.y, -ym, ym)};
}

}  // namespace lab
