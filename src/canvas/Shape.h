#pragma once

#include "canvas/Control.h"

#include <QRgb>

namespace canvas {

// A solid circle in its rectangle with a black rim. It takes no mouse input:
// presses and moves over it reach the canvas below.
class Shape final : public Control {
 public:
  Shape(Canvas& canvas, QWidget* parent, QRectF designTwips, QRgb fill);

  [[nodiscard]] QRgb fillColor() const noexcept { return fill_; }

 private:
  QRgb fill_;
};

}  // namespace canvas
