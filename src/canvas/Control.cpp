#include "canvas/Control.h"

#include "lab/Surface.h"

#include <algorithm>
#include <cmath>

namespace canvas {
namespace {
// Keeps a widget that was dragged far off the client area at a position Qt's
// integer geometry can hold; the exact position stays in the control.
int widgetCoordinate(double px) { return static_cast<int>(std::lround(std::clamp(px, -1.0e5, 1.0e5))); }
}  // namespace

Control::Control(QWidget* widget, QRectF designTwips) : widget_(widget), design_(designTwips) {
  Control::restoreDesign();
}

void Control::restoreDesign() {
  pxLeft_ = design_.left() / lab::kTwipsPerPixel;
  pxTop_ = design_.top() / lab::kTwipsPerPixel;
  pxWidth_ = design_.width() / lab::kTwipsPerPixel;
  pxHeight_ = design_.height() / lab::kTwipsPerPixel;
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
