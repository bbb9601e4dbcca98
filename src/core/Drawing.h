#pragma once

#include "numeric/Colour.h"

#include <optional>
#include <vector>

namespace core {

// What a label shows after a construction: which caption, and its numbers.
// The texts themselves belong to the drawing step; the numbers are the ones
// the captions format (degrees already converted where the caption shows
// degrees).
enum class Caption {
  FermatAngles,         // Label3: incidence a, refraction b at the entry point
  FermatRatio,          // Label4: sin i / sin r = a
  FermatTime,           // Label2: least time a
  TotalReflection,      // Label1: critical angle a
  Incidence,            // Label3: incidence a alone
  IncidenceRefraction,  // Label3: incidence a, refraction b at the exit point
  RayIndex,             // Label4: measured index a, two decimals
  BundleIndex,          // Label4: measured index a, three decimals
  MirrorAngles,         // Label3: incidence a, reflection b at a mirror's point
  StationaryCount,      // Label4: how many stationary paths a mirror gives
  StationaryStretch,    // Label4: the time is the same along the whole mirror
  CurvedPaths,          // Label3: a stationary paths through the medium, b of them saddles
  RayAgreement,         // Label4: the ray equation's path lies within a of the least-time paths
};

// One step of a construction's picture, in the order the construction makes
// them: a canvas operation, a change of the canvas's drawing state, a caption,
// a message box (which opens between the operations before and after it), or
// the entry marker moved.
struct DrawOp {
  enum class Kind { Line, LineTo, Circle, Arc, PSet, DrawWidth, DrawStyle, FillStyle, Caption, Message, MoveEntry };
  Kind kind = Kind::Line;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line ends; LineTo end in x2, y2; centre or point in x1, y1
  double r = 0;                           // circle radius
  double start = 0, end = 0;              // an arc's angles, radians, counter-clockwise from start to end
  std::optional<numeric::Colour> colour;  // none: the canvas's fore colour
  int value = 0;                          // new DrawWidth, DrawStyle or FillStyle
  Caption caption = Caption::FermatAngles;
  double a = 0, b = 0;  // the caption's numbers
  const char* text = nullptr;  // a message, UTF-8, one of the program's own (static) texts
};

// A construction's picture and captions as data, replayable onto any canvas.
struct Drawing {
  std::vector<DrawOp> ops;

  void Line(double x1, double y1, double x2, double y2, std::optional<numeric::Colour> c = std::nullopt);
  void LineTo(double x2, double y2, std::optional<numeric::Colour> c = std::nullopt);
  void Circle(double x, double y, double r, std::optional<numeric::Colour> c = std::nullopt);
  // The arc of that circle from `start` to `end`, both in [0, 2 pi].
  void Arc(double x, double y, double r, double start, double end, std::optional<numeric::Colour> c = std::nullopt);
  void PSet(double x, double y, std::optional<numeric::Colour> c = std::nullopt);
  void DrawWidth(int v);
  void DrawStyle(int v);
  void FillStyle(int v);
  void Show(Caption which, double a, double b = 0);
  void Message(const char* text);
  void MoveEntry(double x, double y);
  void Append(const Drawing& other);
  // The points (anything with x and y) joined in order: a Line from the
  // first to the second, then a LineTo to each point after; nothing for
  // fewer than two.
  template <class Points>
  void Polyline(const Points& pts, std::optional<numeric::Colour> c = std::nullopt) {
    if (pts.size() < 2) return;
    Line(pts[0].x, pts[0].y, pts[1].x, pts[1].y, c);
    for (std::size_t i = 2; i < pts.size(); ++i) LineTo(pts[i].x, pts[i].y, c);
  }
};

}  // namespace core
