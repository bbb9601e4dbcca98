#include "lab/StaticScene.h"

#include "lab/Captions.h"
#include "lab/Format.h"
#include "numeric/Elementary.h"
#include "optics/Faces.h"

#include <cmath>

namespace lab {
namespace {

using numeric::kOlive;
using numeric::kRed;
using numeric::kYellow;

// A face's rim: where it is, and its angle on the face's circle.
struct Rim {
  double x = 0, y = 0;  // the upper rim; the lower one is (x, -y)
  double angle = 0;     // a spherical face's rim angle from the axis about its centre
};

// sqrt(R^2 - RimCos^2) in double, of the face's own constants: for the
// standard lens sqrt(R^2 - c^2), the rims (0, +-71.94) where the arcs meet.
Rim rimOf(const optics::Face& f, float halfAperture) {
  if (f.Flat) return {f.VertexX, halfAperture, 0};
  const double R = f.Radius, c = f.RimCos;
  const double h = std::sqrt(R * R - c * c);
  return {optics::RimX(f), h, numeric::Atan(h / c)};
}

// Angles on a spherical face's circle, the arc running counter-clockwise
// from start to end: about pi on the left of the centre, through 0 on the right.
struct ArcAngles {
  double start, end;
};
ArcAngles arcAngles(const optics::Face& f, double a, float pi) {
  if (f.Facing < 0) return {pi - a, a + pi};
  return {2 * pi - a, a};
}

// Pixel of the lens centre, halves to the even neighbour.
int seed(float v) { return static_cast<int>(std::nearbyint(v)); }

void edgeDots(Surface& c, const SceneState& s) {
  const optics::Lens& lens = s.lens();
  const Rim first = rimOf(lens.First, lens.HalfAperture), second = rimOf(lens.Second, lens.HalfAperture);
  c.DrawWidth = 4;
  c.PSet(static_cast<float>(first.x), static_cast<float>(first.y));
  c.PSet(static_cast<float>(first.x), -static_cast<float>(first.y));
  if (lens.RimEdges) {
    c.PSet(static_cast<float>(second.x), static_cast<float>(second.y));
    c.PSet(static_cast<float>(second.x), -static_cast<float>(second.y));
  }
  c.DrawWidth = 1;
}

void centreMarks(Surface& c, const SceneState& s) {
  for (const optics::Face* f : {&s.lens().Second, &s.lens().First}) {
    if (!f->Flat) c.Circle(f->CentreX, 0, 2);
  }
}

// One face's outline: an arc between the stored angles, or a flat face's
// segment; then, where the faces do not meet, the flat rim edges, drawn by
// the second face.
void drawFace(Surface& c, const SceneState& s, const optics::Face& f, float start, float end, bool second) {
  const optics::Lens& lens = s.lens();
  if (f.Flat) {
    c.Line(f.VertexX, -lens.HalfAperture, f.VertexX, lens.HalfAperture);
  } else {
    c.Circle(f.CentreX, 0, f.Radius, std::nullopt, start, end);
  }
  if (!second || !lens.RimEdges) return;
  const optics::FacePoint a = optics::PointOf(lens.First, optics::RimParameter(lens.First, lens.HalfAperture));
  const optics::FacePoint b = optics::PointOf(lens.Second, optics::RimParameter(lens.Second, lens.HalfAperture));
  c.Line(a.X, a.Y, b.X, b.Y);
  c.Line(a.X, -a.Y, b.X, -b.Y);
}

void drawFaces(Surface& c, const SceneState& s) {
  drawFace(c, s, s.lens().First, s.FirstArcStart, s.FirstArcEnd, false);
  drawFace(c, s, s.lens().Second, s.SecondArcStart, s.SecondArcEnd, true);
}

bool sameFace(const optics::Face& a, const optics::Face& b) {
  return a.Flat == b.Flat && a.Radius == b.Radius && a.CentreX == b.CentreX && a.Facing == b.Facing &&
         a.RimCos == b.RimCos && a.VertexX == b.VertexX;
}

// The standard lens's shape, whatever its glass: filled as it always was.
bool standardShape(const optics::Lens& l) {
  static const optics::Lens s = optics::Lens::Standard();  // every redraw asks, during a drag too
  return l.HalfAperture == s.HalfAperture && sameFace(l.First, s.First) && sameFace(l.Second, s.Second) &&
         l.Thickness == s.Thickness && l.RimEdges == s.RimEdges;
}

// Where a lens other than the standard one is filled from. The world
// origin (the standard lens's seed) may lie inside a black mark that a thin
// or hollow lens holds there (the target circle, a centre mark), which would
// fill just that mark. So the seed is a pixel between the faces, off the
// axis (where the marks are) and away from the target circle's height, in a
// part of the glass at least a few pixels wide. None found: the origin.
struct Seed {
  float x, y;
};
Seed glassSeed(const Surface& c, const SceneState& s, double targetY) {
  const optics::Lens& lens = s.lens();
  const Seed origin{s.FillSeedX, s.FillSeedY};
  if (standardShape(lens)) return origin;
  const Frame& frame = c.frame();
  const double perUnit = frame.pixelsPerUnit();
  constexpr double kShares[] = {0.5, -0.5, 0.35, -0.35, 0.65, -0.65, 0.2, -0.2, 0.8, -0.8};
  constexpr double kClearPixels = 6;  // from the target circle's centre and the axis
  for (const double share : kShares) {
    const double y = share * lens.HalfAperture;
    if (std::abs(y - targetY) * perUnit < kClearPixels || std::abs(y) * perUnit < kClearPixels) continue;
    const double x1 = optics::FaceXAtHeight(lens.First, y), x2 = optics::FaceXAtHeight(lens.Second, y);
    if (!((x2 - x1) * perUnit >= 4)) continue;
    const PixelPoint p = frame.toPixel((x1 + x2) / 2, y);
    if (!(p.x >= 0 && p.y >= 0 && p.x < frame.pixels.width && p.y < frame.pixels.height)) continue;
    return {static_cast<float>(std::floor(p.x)), static_cast<float>(std::floor(p.y))};
  }
  return origin;
}

void lensFill(Surface& c, const SceneState& s, double targetY) {
  c.FillStyle = 0;
  const Seed at = glassSeed(c, s, targetY);
  c.FloodFill(seed(at.x), seed(at.y), numeric::kBlack, LensOutline(s));
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
  f.Label1.setCaption(HeightPhrase(f.thesiy.value));
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
  // 64 steps a face: finer than a pixel at any size the window takes.
  constexpr int kSteps = 64;
  auto outline = std::make_shared<std::vector<core::Point>>();
  outline->reserve(2 * kSteps + 2);
  const optics::Lens& lens = s.lens();
  // The second face from the lower rim up, then the first from the upper
  // rim down; between them, where the faces do not meet, the rim edges.
  auto face = [&](const optics::Face& f, bool upwards) {
    const Rim rim = rimOf(f, lens.HalfAperture);
    for (int i = 0; i <= kSteps; ++i) {
      if (f.Flat) {
        const double y = rim.y * (2.0 * i / kSteps - 1);
        outline->push_back({f.VertexX, upwards ? y : -y});
        continue;
      }
      // Angles on the circle, counter-clockwise: a face right of its centre
      // runs upwards from -a, one left of it downwards from pi - a.
      const double a = rim.angle;
      const bool counterClockwise = (f.Facing > 0) == upwards;
      const double base = f.Facing > 0 ? (upwards ? -a : a) : (upwards ? s.Pi + a : s.Pi - a);
      const double phi = counterClockwise ? base + 2 * a * i / kSteps : base - 2 * a * i / kSteps;
      const numeric::SinAndCos t = numeric::SinCos(phi);
      outline->push_back({f.CentreX + f.Radius * t.Cos, f.Radius * t.Sin});
    }
  };
  face(lens.Second, true);
  face(lens.First, false);
  return outline;
}

void FrameScene(Surface& c, Controls& f, SceneState& s, const optics::Lens& lens) {
  // The client area in twips fixes the frame's proportions once and for all.
  const float w = c.ScaleWidth(), h = c.ScaleHeight();
  s.AspectX = w / (w + h);
  s.AspectY = h / (w + h);
  const double ax = s.AspectX, ay = s.AspectY;

  // Every lens and media constant comes from the one lens in force.
  s.Glass = lens;
  s.SpeedOutside = lens.SpeedOutside;
  s.SpeedInside = lens.SpeedInside;
  c.Scale(-500 * ax, 500 * ay, 500 * ax, -500 * ay);
  s.XMax = static_cast<float>(500 * ax);
  s.YMax = static_cast<float>(500 * ay);
  layOutControls(f, s);

  s.CentreOffset = static_cast<float>(lens.First.CentreX);
  s.SurfaceRadius = static_cast<float>(lens.First.Radius);
  s.HalfAperture = lens.HalfAperture;
  s.Pi = lens.Pi;
  s.FrameLeft = static_cast<float>(c.ScaleX(c.ScaleLeft(), c.ScaleMode(), kScalePixels));
  s.FrameTop = static_cast<float>(c.ScaleY(c.ScaleTop(), c.ScaleMode(), kScalePixels));
  s.FillSeedX = -s.FrameLeft;
  s.FillSeedY = -s.FrameTop;
}

void BuildScene(Surface& c, Controls& f, SceneState& s, const optics::Lens& lens) {
  FrameScene(c, f, s, lens);
  c.Line(-500.0 * s.AspectX, 0, 500.0 * s.AspectX, 0, kRed);
  const ArcAngles first = arcAngles(lens.First, rimOf(lens.First, lens.HalfAperture).angle, s.Pi);
  const ArcAngles second = arcAngles(lens.Second, rimOf(lens.Second, lens.HalfAperture).angle, s.Pi);

  centreMarks(c, s);
  s.FirstArcStart = static_cast<float>(first.start);
  edgeDots(c, s);
  c.FillColor = kYellow;

  // The first target marker: still under the initial transparent fill, so a ring.
  f.thesiy.enabled = true;
  const core::Point t = TargetPoint(f.thesiy.value, s);
  c.DrawWidth = 1;
  c.Circle(t.x, t.y, 1.5, numeric::kBlack);

  c.FillColor = kOlive;
  s.FirstArcEnd = static_cast<float>(first.end);
  s.SecondArcStart = static_cast<float>(second.start);
  s.SecondArcEnd = static_cast<float>(second.end);
  drawFaces(c, s);
  c.DrawWidth = 1;

  c.FillColor = kOlive;
  lensFill(c, s, t.y);
}

void RedrawScene(Surface& c, const Controls& f, const SceneState& s) {
  edgeDots(c, s);
  c.Line(-500.0 * s.AspectX, 0, 500.0 * s.AspectX, 0, kRed);
  centreMarks(c, s);
  drawFaces(c, s);

  const core::Point t = TargetPoint(f.thesiy.value, s);
  c.FillColor = kYellow;
  c.DrawWidth = 2;
  c.Circle(t.x, t.y, 1.5, numeric::kBlack);
  c.DrawWidth = 1;

  c.FillColor = kOlive;
  lensFill(c, s, t.y);
}

}  // namespace lab
