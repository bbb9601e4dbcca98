#pragma once

#include <QLabel>

namespace app {

// A line of text over the top left of the client area (a lesson's task, the
// challenge's tries and answer): an overlay, never part of the picture. A
// click on it hides it until the next text.
class Banner final : public QLabel {
 public:
  explicit Banner(QWidget* form);

  // Shows the text at the form's top left; empty text hides it.
  void say(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace app
