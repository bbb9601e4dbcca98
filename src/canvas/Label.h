#pragma once

#include "canvas/Control.h"

#include <QString>

class QLabel;

namespace canvas {

// An opaque text label; the caption wraps within the label's width.
class Label final : public Control {
 public:
  Label(Canvas& canvas, QWidget* parent, QRectF designTwips, double pointSize, const QString& caption = {});

  [[nodiscard]] QString Caption() const;
  void setCaption(const QString& text);

 private:
  QLabel* label_;
};

}  // namespace canvas
