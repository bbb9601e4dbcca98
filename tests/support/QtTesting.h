#pragma once

#include "canvas/Canvas.h"

#include <QRgb>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace testing_support {

// Colour without alpha, for comparisons with canvas::Rgb values.
inline QRgb opaque(QRgb c) { return c | 0xff000000u; }

// Pixel colour (RGB only) of the retained image at a world point.
inline QRgb PixelAtWorld(const canvas::Canvas& c, double x, double y) {
  const QPointF p = c.toPixel(x, y);
  return opaque(c.image().pixel(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))));
}

// gtest parameter names from a table case's `name`.
struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

}  // namespace testing_support
