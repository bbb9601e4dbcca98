#pragma once

#include "QtTesting.h"
#include "canvas/Canvas.h"
#include "lab/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace canvas_testing {

// The canvas of a Pad, built before the surface that draws on it.
struct PadPixels {
  explicit PadPixels(QSize size) : pixels(size) {}
  canvas::Canvas pixels;
};

// A lab surface drawing onto a canvas's pixels, the canvas showing the
// surface's record, as the window has them: draw through the surface, read
// the pixels of the canvas (the pad stands for it). It holds a pointer to
// itself: never copied.
class Pad : private PadPixels, public lab::Surface {
 public:
  explicit Pad(QSize size) : PadPixels(size), lab::Surface({size.width(), size.height()}, &pixels) {
    pixels.attach(record());
  }
  Pad(const Pad&) = delete;
  Pad& operator=(const Pad&) = delete;
  operator const canvas::Canvas&() const { return pixels; }
  [[nodiscard]] const QImage& image() const { return pixels.image(); }
  [[nodiscard]] QSize pixelSize() const { return pixels.pixelSize(); }
  [[nodiscard]] QPointF toPixel(double x, double y) const { return pixels.toPixel(x, y); }
};

// 400 x 300 pixels, one pixel per unit, y up: world (x, y) is at pixel position
// (200 + x, 150 - y), so a half-integer coordinate is the middle of a pixel.
class UnitPad : public Pad {
 public:
  UnitPad() : Pad(QSize(400, 300)) { Scale(-200, 150, 200, -150); }
};

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
