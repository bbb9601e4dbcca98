#include "lab/MediumScene.h"

#include "lab/MediumText.h"
#include "lab/MirrorScene.h"

#include <algorithm>
#include <cmath>

namespace lab {
namespace {

constexpr numeric::Colour kEdgeColour = numeric::Rgb(128, 128, 128);
// A circle's outline as this many segments: under a pixel's sagitta at any
// radius the frame shows.
constexpr int kCircleSteps = 180;

void horizontal(std::vector<std::vector<core::Point>>& edges, double y, core::Frame f) {
  if (std::abs(y) < f.YMax) edges.push_back({{-f.XMax, y}, {f.XMax, y}});
}

}  // namespace

MediumShape ShapeOf(const optics::MediumDesign& d, const optics::Medium& medium, core::Frame frame) {
  MediumShape s{.design = d, .medium = medium, .sourceStart = kMediumSourceStart, .targetStart = kMediumTargetStart};
  if (const MediumPreset* p = PresetOf(d)) {
    s.sourceStart = {p->sourceX, p->sourceY};
    s.targetStart = {p->targetX, p->targetY};
  }
  switch (d.Profile) {
    case optics::MediumProfile::Layers:
      for (const double y : d.Y) horizontal(s.edges, y, frame);
      break;
    case optics::MediumProfile::HotRoad:
      // The index reaches the least a medium may have: the road's surface.
      if (d.G != 0) horizontal(s.edges, (optics::kMinMediumIndex - d.N0) / d.G, frame);
      break;
    case optics::MediumProfile::Fibre:
      // The cladding: where n^2 falls to kMinMediumIndex^2.
      for (const double sign : {-1.0, 1.0}) {
        const double q = optics::kMinMediumIndex / d.N0;
        horizontal(s.edges, sign * std::sqrt(std::max(0.0, 1 - q * q)) / d.A, frame);
      }
      break;
    case optics::MediumProfile::HalfPlane:
      horizontal(s.edges, d.Y0 + d.C / optics::kMaxMediumIndex, frame);
      break;
    case optics::MediumProfile::Luneburg: {
      std::vector<core::Point> rim;
      for (int i = 0; i <= kCircleSteps; ++i) {
        const double a = 2 * 3.14159265358979323846 * i / kCircleSteps;
        rim.push_back({d.R * std::cos(a), d.R * std::sin(a)});
      }
      s.edges.push_back(std::move(rim));
      break;
    }
    case optics::MediumProfile::Uniform: break;
  }
  return s;
}

void BuildMediumScene(Surface& c, Controls& f, const SceneState& s, const MediumShape& medium, core::Point target) {
  f.thesiy.enabled = false;
  RedrawMediumScene(c, s, medium, target);
}

void RedrawMediumScene(Surface& c, const SceneState& s, const MediumShape& medium, core::Point target) {
  c.Line(-500.0 * s.AspectX, 0, 500.0 * s.AspectX, 0, numeric::kRed);
  c.DrawStyle = 1;  // dashed
  for (const std::vector<core::Point>& e : medium.edges) {
    if (e.size() < 2) continue;
    c.Line(e[0].x, e[0].y, e[1].x, e[1].y, kEdgeColour);
    for (std::size_t i = 2; i < e.size(); ++i) c.LineTo(e[i].x, e[i].y, kEdgeColour);
  }
  c.DrawStyle = 0;
  DrawTargetMarker(c, target);
}

}  // namespace lab
