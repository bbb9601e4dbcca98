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
  // With `shrink`, the caption's font is made smaller, down to `minPixels`,
  // until the wrapped caption fits the button's height (a translation may be
  // longer than the original); without, it has its design size.
  void fitCaption(bool shrink, double minPixels);
  [[nodiscard]] double captionPointSize() const;
  // Whether the wrapped caption fits the button at its font.
  [[nodiscard]] bool captionFits() const;
  void onClick(std::function<void()> handler) { click_ = std::move(handler); }
  // Clicks the button as a user would (runs the Click handler).
  void click();

 private:
  QPushButton* button_;
  QLabel* text_;
  QString caption_;
  double designPointSize_;
  QString fitted_;  // what fitCaption last fitted: caption, size and shrink, to skip the same again
  std::function<void()> click_;
};

}  // namespace canvas
