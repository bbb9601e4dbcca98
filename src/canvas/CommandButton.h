#pragma once

#include "canvas/Control.h"

#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace canvas {

// A push button whose caption wraps onto several lines when it is wider than
// the button.
class CommandButton final : public Control {
 public:
  CommandButton(QWidget* parent, QRectF designTwips, double pointSize, const QString& caption);

  [[nodiscard]] QString Caption() const { return caption_; }
  // A new caption (another language), wrapped as the first.
  void setCaption(const QString& caption);
  void onClick(std::function<void()> handler) { click_ = std::move(handler); }
  // Clicks the button as a user would (runs the Click handler).
  void click();

 private:
  QPushButton* button_;
  QLabel* text_;
  QString caption_;
  std::function<void()> click_;
};

}  // namespace canvas
