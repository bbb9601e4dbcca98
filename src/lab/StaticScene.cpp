#include "lab/StaticScene.h"

#include "lab/Format.h"
#include "numeric/Elementary.h"

#include <cmath>

namespace lab {
namespace {

using numeric::kOlive;
using numeric::kRed;
using numeric::kYellow;

// sqrt(R^2 - c^2), always of the lens constants, so never negative.
double rimHeight(const SceneState& s) {
  const double R = s.SurfaceRadius, c = s.CentreOffset;
  return std::sqrt(R * R - c * c);
}

double rimAngle(const SceneState& s) { return numeric::Atan(rimHeight(s) / s.CentreOffset); }

// Pixel of the lens centre, halves to the even neighbour.
int seed(float v) { return static_cast<int>(std::nearbyint(v)); }

void edgeDots(Surface& c, const SceneState& s) {
  c.DrawWidth = 4;
  c.PSet(0, static_cast<float>(rimHeight(s)));
  c.PSet(0, -static_cast<float>(rimHeight(s)));
  c.DrawWidth = 1;
}

void centreMarks(Surface& c, const SceneState& s) {
  c.Circle(-s.CentreOffset, 0, 2);
  c.Circle(s.CentreOffset, 0, 2);
}

void lensFill(Surface& c, const SceneState& s) {
  c.FillStyle = 0;
  c.FloodFill(seed(s.FillSeedX), seed(s.FillSeedY), numeric::kBlack, LensOutline(s));
}

void place(Control& ctl, double left, double top, double width, double height) {
  ctl.setLeft(left);
  ctl.setTop(top);
  ctl.setWidth(width);
  ctl.setHeight(height);
}

void layOutControls(Controls& f, const SceneState& s) {
  const double ax = s.AspectX, ay = s.AspectY;
  place(f.thesiy.place, 450 * ax, 99, 30 * ax, 198);
  place(f.Label1.place, -500 * ax, 500 * ay, 120 * ax, 150 * ay);
  f.Label1.setCaption("ψ= " + Format(f.thesiy.value));
  place(f.Label2.place, 350 * ax, 500 * ay, 150 * ax, f.Label2.place.Height());
  place(f.Command1.place, 50 * ax, 500 * ay, 150 * ax, 70 * ay);
  place(f.Label3.place, -350 * ax, 500 * ay, 150 * ax, f.Label3.place.Height());
  place(f.Label4.place, -200 * ax, 500 * ay, 150 * ax, f.Label4.place.Height());
  place(f.Command2.place, 50 * ax, 430 * ay, 150 * ax, 70 * ay);
  place(f.Command3.place, 50 * ax, 360 * ay, 150 * ax, 70 * ay);
  place(f.Command4.place, 200 * ax, 430 * ay, 150 * ax, 70 * ay);
  place(f.Command5.place, 200 * ax, 360 * ay, 150 * ax, 70 * ay);
  place(f.xronosmetato.place, -200 * ax, -430 * ay, 100, f.xronosmetato.place.Height());
  f.Label6.place.setLeft(-200 * ax + 100);
  f.Label6.place.setTop(-430 * ay);
}

}  // namespace

std::shared_ptr<const std::vector<core::Point>> LensOutline(const SceneState& s) {
  // 64 steps an arc: finer than a pixel at any size the window takes.
  constexpr int kSteps = 64;
  auto outline = std::make_shared<std::vector<core::Point>>();
  outline->reserve(2 * kSteps + 2);
  const double R = s.SurfaceRadius, c = s.CentreOffset, a = rimAngle(s);
  // The second surface about (-c, 0) from the lower rim up, then the first
  // about (c, 0) from the upper rim down.
  for (int i = 0; i <= kSteps; ++i) {
    const numeric::SinAndCos t = numeric::SinCos(-a + 2 * a * i / kSteps);
    outline->push_back({-c + R * t.Cos, R * t.Sin});
  }
  for (int i = 0; i <= kSteps; ++i) {
    const numeric::SinAndCos t = numeric::SinCos(s.Pi - a + 2 * a * i / kSteps);
    outline->push_back({c + R * t.Cos, R * t.Sin});
  }
  return outline;
}

void BuildScene(Surface& c, Controls& f, SceneState& s) {
  // The client area in twips fixes the frame's proportions once and for all.
  const float w = c.ScaleWidth(), h = c.ScaleHeight();
  s.AspectX = w / (w + h);
  s.AspectY = h / (w + h);
  const double ax = s.AspectX, ay = s.AspectY;

  // Every lens and media constant comes from the one standard lens.
  const optics::Lens lens = optics::Lens::Standard();
  s.SpeedOutside = lens.SpeedOutside;
  s.SpeedInside = lens.SpeedInside;
  c.Scale(-500 * ax, 500 * ay, 500 * ax, -500 * ay);
  c.Line(-500 * ax, 0, 500 * ax, 0, kRed);
  s.XMax = static_cast<float>(500 * ax);
  s.YMax = static_cast<float>(500 * ay);
  layOutControls(f, s);

  s.CentreOffset = lens.CentreOffset;
  s.SurfaceRadius = lens.SurfaceRadius;
  s.HalfAperture = lens.HalfAperture;
  s.Pi = lens.Pi;

  centreMarks(c, s);
  s.FirstArcStart = static_cast<float>(s.Pi - rimAngle(s));
  edgeDots(c, s);
  c.FillColor = kYellow;

  // The first target marker: still under the initial transparent fill, so a ring.
  f.thesiy.enabled = true;
  const core::Point t = TargetPoint(f.thesiy.value, s);
  c.DrawWidth = 1;
  c.Circle(t.x, t.y, 1.5, numeric::kBlack);

  c.FillColor = kOlive;
  s.FirstArcEnd = static_cast<float>(rimAngle(s) + s.Pi);
  c.Circle(s.CentreOffset, 0, s.SurfaceRadius, std::nullopt, s.FirstArcStart, s.FirstArcEnd);
  s.SecondArcStart = static_cast<float>(2 * s.Pi - rimAngle(s));
  s.SecondArcEnd = static_cast<float>(rimAngle(s));
  c.Circle(-s.CentreOffset, 0, s.SurfaceRadius, std::nullopt, s.SecondArcStart, s.SecondArcEnd);
  c.DrawWidth = 1;

  s.FrameLeft = static_cast<float>(c.ScaleX(c.ScaleLeft(), c.ScaleMode(), kScalePixels));
  s.FrameTop = static_cast<float>(c.ScaleY(c.ScaleTop(), c.ScaleMode(), kScalePixels));
  c.FillColor = kOlive;
  s.FillSeedX = -s.FrameLeft;
  s.FillSeedY = -s.FrameTop;
  lensFill(c, s);
}

void RedrawScene(Surface& c, const Controls& f, const SceneState& s) {
  edgeDots(c, s);
  c.Line(-500.0 * s.AspectX, 0, 500.0 * s.AspectX, 0, kRed);
  centreMarks(c, s);
  c.Circle(s.CentreOffset, 0, s.SurfaceRadius, std::nullopt, s.FirstArcStart, s.FirstArcEnd);
  c.Circle(-s.CentreOffset, 0, s.SurfaceRadius, std::nullopt, s.SecondArcStart, s.SecondArcEnd);

  const core::Point t = TargetPoint(f.thesiy.value, s);
  c.FillColor = kYellow;
  c.DrawWidth = 2;
  c.Circle(t.x, t.y, 1.5, numeric::kBlack);
  c.DrawWidth = 1;

  c.FillColor = kOlive;
  lensFill(c, s);
}

}  // namespace lab
