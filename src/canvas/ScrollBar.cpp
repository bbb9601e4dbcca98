#include "canvas/ScrollBar.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace canvas {

ScrollBar::ScrollBar(QWidget* parent, Qt::Orientation orientation, QRectF designTwips, int min,
                     int max, int largeChange, int smallChange, int value)
    : Control(new QScrollBar(orientation, parent), designTwips),
      bar_(static_cast<QScrollBar*>(widget())),
      min_(min),
      max_(max),
      inverted_(min > max),
      designValue_(value) {
  // Qt keeps its minimum at the top or left and needs minimum <= maximum, so a
  // bar whose Min exceeds its Max runs on negated values.
  bar_->setRange(std::min(toQt(min), toQt(max)), std::max(toQt(min), toQt(max)));
  bar_->setPageStep(largeChange);
  bar_->setSingleStep(smallChange);
  bar_->setValue(toQt(value));
  bar_->setTracking(false);
  bar_->setAttribute(Qt::WA_NoMousePropagation);
  // Reached with Tab, so that every bar can be set from the keyboard; a click
  // leaves the focus where it was (the arrow keys stay the markers').
  bar_->setFocusPolicy(Qt::TabFocus);
  QObject::connect(bar_, &QScrollBar::valueChanged, bar_, [this](int) {
    if (change_) change_();
  });
}

int ScrollBar::Value() const { return toQt(bar_->value()); }

bool ScrollBar::contains(int v) const noexcept { return v >= std::min(min_, max_) && v <= std::max(min_, max_); }

bool ScrollBar::setValue(int v) {
  if (!contains(v)) return false;
  bar_->setValue(toQt(v));
  return true;
}

void ScrollBar::setEnabled(bool on) { bar_->setEnabled(on); }

void ScrollBar::restoreDesign() {
  Control::restoreDesign();
  const QSignalBlocker quiet(bar_);
  bar_->setSliderDown(false);
  bar_->setValue(toQt(designValue_));
  bar_->setEnabled(true);
}

}  // namespace canvas
