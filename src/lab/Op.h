#pragma once

#include "numeric/Colour.h"

#include <algorithm>
#include <optional>

namespace lab {

using numeric::Colour;

// The widest pen any painter draws, in pixels: a wider DrawWidth draws this
// wide, a width below one draws one pixel wide.
inline constexpr int kMaxPenWidth = 512;
[[nodiscard]] constexpr int PenWidth(int width) noexcept { return std::clamp(width, 1, kMaxPenWidth); }

// The dash pattern of a one-pixel pen, in pixels: drawn and skipped (the
// dash and gap of the dashed and dotted pens of the window's first toolkit).
// Wider pens draw solid whatever their style.
struct Dashes {
  double on = 0, off = 0;  // both zero: solid
};
[[nodiscard]] constexpr Dashes PenDashes(int width, int style) noexcept {
  if (PenWidth(width) != 1) return {};
  if (style == 1) return {18.0, 6.0};
  if (style == 2) return {3.0, 3.0};
  return {};
}

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
