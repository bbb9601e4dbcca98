#pragma once

#include "numeric/Colour.h"

#include <optional>

namespace lab {

using numeric::Colour;

// One drawing operation as the surface received it, in world units of the
// frame in force (a flood fill's seed in device pixels). The log of these is
// what tests and --trace read; the same record drives every painter.
struct Op {
  enum class Kind { Line, Circle, Arc, PSet, Cls, FloodFill };
  Kind kind = Kind::Cls;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; centre or point in x1, y1; the fill's seed pixel
  double r = 0, start = 0, end = 0;       // circle radius, arc angles (radians)
  Colour color = numeric::kBlack;         // pen colour; a fill's colour
  int width = 1;                          // pen width in pixels
  int style = 0;                          // 0 solid, 1 dashed, 2 dotted
  std::optional<Colour> fill;             // full circles: the fill colour, or none
  bool operator==(const Op&) const = default;
};

}  // namespace lab
