#pragma once

#include "canvas/Control.h"

#include <QString>

class QLabel;

namespace canvas {

// A text label drawn over the picture with a light halo; the caption wraps
// within the label's width.
class Label final : public Control {
 public:
  Label(QWidget* parent, QRectF designTwips, double pointSize, const QString& caption = {});

  [[nodiscard]] QString Caption() const;
  void setCaption(const QString& text);
  // The design position and caption.
  void restoreDesign() override;

 private:
  QLabel* label_;
  QString designCaption_;
};

}  // namespace canvas
