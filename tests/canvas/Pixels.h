#pragma once

#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace canvas_testing {

// The bare canvas the drawing tests use: 400 x 300 pixels, one pixel per
// world unit, y upwards, the world origin on the corner of pixels (199..200,
// 149..150). World (x, y) lands on pixel position (200 + x, 150 - y), so a
// half-integer coordinate names the centre of one pixel row or column.
inline canvas::Canvas UnitCanvas() {
  canvas::Canvas c(QSize(400, 300));
  c.Scale(-200, 150, 200, -150);
  return c;
}

inline QRgb At(const canvas::Canvas& c, int col, int row) { return c.image().pixel(col, row) | 0xff000000u; }

inline QRgb AtWorld(const canvas::Canvas& c, double x, double y) {
  const QPointF p = c.toPixel(x, y);
  return At(c, static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

// Whether some pixel within `reach` pixels (a square) of the world point has the colour.
inline bool Near(const canvas::Canvas& c, double x, double y, QRgb colour, int reach = 1) {
  const QPointF p = c.toPixel(x, y);
  const int col = static_cast<int>(std::floor(p.x())), row = static_cast<int>(std::floor(p.y()));
  for (int r = row - reach; r <= row + reach; ++r) {
    for (int k = col - reach; k <= col + reach; ++k) {
      if (k >= 0 && r >= 0 && k < c.image().width() && r < c.image().height() && At(c, k, r) == colour) return true;
    }
  }
  return false;
}

inline int CountColour(const canvas::Canvas& c, QRgb colour) {
  int n = 0;
  for (int r = 0; r < c.image().height(); ++r)
    for (int k = 0; k < c.image().width(); ++k) n += At(c, k, r) == colour;
  return n;
}

// gtest parameter names from a case's Name: letters and digits only.
struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    std::string s = info.param.Name;
    for (char& ch : s)
      if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return s;
  }
};

}  // namespace canvas_testing
