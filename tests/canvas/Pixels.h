#pragma once

#include "QtTesting.h"
#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace canvas_testing {

// 400 x 300 pixels, one pixel per unit, y up: world (x, y) is at pixel position
// (200 + x, 150 - y), so a half-integer coordinate is the middle of a pixel.
inline canvas::Canvas UnitCanvas() {
  canvas::Canvas c(QSize(400, 300));
  c.Scale(-200, 150, 200, -150);
  return c;
}

inline QRgb At(const canvas::Canvas& c, int col, int row) {
  return c.image().pixel(col, row) | 0xff000000u;
}

inline QRgb AtWorld(const canvas::Canvas& c, double x, double y) { return testing_support::PixelAtWorld(c, x, y); }

// Whether some pixel within `reach` pixels (a square) of the world point has the colour.
inline bool Near(const canvas::Canvas& c, double x, double y, QRgb colour, int reach = 1) {
  const QPointF p = c.toPixel(x, y);
  const int col = static_cast<int>(std::floor(p.x())), row = static_cast<int>(std::floor(p.y()));
  for (int r = std::max(0, row - reach); r <= std::min(c.image().height() - 1, row + reach); ++r)
    for (int k = std::max(0, col - reach); k <= std::min(c.image().width() - 1, col + reach); ++k)
      if (At(c, k, r) == colour) return true;
  return false;
}

using testing_support::ByName;

}  // namespace canvas_testing
