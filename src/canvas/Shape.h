#pragma once

#include "canvas/Control.h"

#include <QRgb>

namespace canvas {

// A solid circle in its rectangle with a black rim. It takes no mouse input
// of its own: the form hands presses and moves over it to the canvas, even
// where the marker lies over a button or a bar.
class Shape final : public Control {
 public:
  Shape(QWidget* parent, QRectF designTwips, QRgb fill);

  [[nodiscard]] QRgb fillColor() const noexcept { return fill_; }

 private:
  QRgb fill_;
};

}  // namespace canvas
