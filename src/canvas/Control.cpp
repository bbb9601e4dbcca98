#include "canvas/Control.h"

#include "canvas/Canvas.h"
#include "numeric/Single.h"

#include <algorithm>
#include <cmath>

namespace canvas {
namespace {
// Keeps a widget that was dragged far off the client area at a position Qt's
// integer geometry can hold; the exact position stays in the control.
int widgetCoordinate(double px) { return static_cast<int>(std::lround(std::clamp(px, -1.0e5, 1.0e5))); }
}  // namespace

Control::Control(Canvas& canvas, QWidget* widget, QRectF designTwips)
    : canvas_(canvas), widget_(widget), design_(designTwips) {
  Control::restoreDesign();
}

void Control::restoreDesign() {
  pxLeft_ = design_.left() / kTwipsPerPixel;
  pxTop_ = design_.top() / kTwipsPerPixel;
  pxWidth_ = design_.width() / kTwipsPerPixel;
  pxHeight_ = design_.height() / kTwipsPerPixel;
  place();
}

float Control::Left() const { return static_cast<float>(canvas_.toWorld({pxLeft_, 0}).x()); }
float Control::Top() const { return static_cast<float>(canvas_.toWorld({0, pxTop_}).y()); }
float Control::Width() const { return static_cast<float>(pxWidth_ * std::abs(canvas_.ScaleWidth()) / canvas_.pixelSize().width()); }
float Control::Height() const {
  return static_cast<float>(pxHeight_ * std::abs(canvas_.ScaleHeight()) / canvas_.pixelSize().height());
}

void Control::setLeft(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  pxLeft_ = canvas_.toPixel(f, 0).x();
  place();
}

void Control::setTop(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  pxTop_ = canvas_.toPixel(0, f).y();
  place();
}

void Control::setWidth(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  pxWidth_ = std::abs(double{f}) * canvas_.pixelSize().width() / std::abs(canvas_.ScaleWidth());
  place();
}

void Control::setHeight(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  pxHeight_ = std::abs(double{f}) * canvas_.pixelSize().height() / std::abs(canvas_.ScaleHeight());
  place();
}

void Control::setPixelRect(double left, double top, double width, double height) {
  if (left == pxLeft_ && top == pxTop_ && width == pxWidth_ && height == pxHeight_) return;
  pxLeft_ = left;
  pxTop_ = top;
  pxWidth_ = width;
  pxHeight_ = height;
  place();
}

void Control::place() {
  const int x = widgetCoordinate(pxLeft_), y = widgetCoordinate(pxTop_);
  const int w = std::max(1, widgetCoordinate(pxLeft_ + pxWidth_) - x);
  const int h = std::max(1, widgetCoordinate(pxTop_ + pxHeight_) - y);
  widget_->setGeometry(x, y, w, h);
}

}  // namespace canvas
