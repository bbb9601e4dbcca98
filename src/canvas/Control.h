#pragma once

#include <QRectF>
#include <QWidget>

namespace canvas {

// A control placed on the client area, at a pixel rectangle as a real
// control is: the lab's controls say where (lab::Controls), in pixels; a
// change of the picture's frame never moves one.
class Control {
 public:
  Control(QWidget* widget, QRectF designTwips);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Places the control at a pixel rectangle of the client area (as the
  // program's state has it).
  void setPixelRect(double left, double top, double width, double height);

  // Back to the design properties the control was made with (for a reset
  // to the start-up state): the position, and what a kind of control adds.
  virtual void restoreDesign();

  [[nodiscard]] QWidget* widget() const noexcept { return widget_; }
  // Pixel rectangle on the client area (fractional; the widget gets it rounded).
  [[nodiscard]] QRectF pixelRect() const noexcept { return {pxLeft_, pxTop_, pxWidth_, pxHeight_}; }

 protected:
  void place();

 private:
  QWidget* widget_;
  QRectF design_;  // twips
  double pxLeft_, pxTop_, pxWidth_, pxHeight_;
};

}  // namespace canvas
