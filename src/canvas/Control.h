#pragma once

#include <QRectF>
#include <QWidget>

namespace canvas {

class Canvas;

// A control placed on the canvas. Left and Top are the world coordinates of its
// top-left corner, Width and Height its extents to the right and downwards, all
// in the canvas's current frame. The position is kept in pixels of the client
// area (as a real control's is), so a change of frame changes what Left reads,
// not where the control stands.
class Control {
 public:
  Control(Canvas& canvas, QWidget* widget, QRectF designTwips);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  [[nodiscard]] float Left() const;
  [[nodiscard]] float Top() const;
  [[nodiscard]] float Width() const;
  [[nodiscard]] float Height() const;
  // Writes in world units; a non-finite value is ignored.
  void setLeft(double v);
  void setTop(double v);
  void setWidth(double v);
  void setHeight(double v);

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
  Canvas& canvas_;
  QWidget* widget_;
  QRectF design_;  // twips
  double pxLeft_, pxTop_, pxWidth_, pxHeight_;
};

}  // namespace canvas
