#pragma once

#include <QLabel>

namespace app {

// A line of text over the top left of the client area (a lesson's task, the
// challenge's tries and answer): an overlay, never part of the picture. A
// click on it hides it until the next text.
class Banner final : public QLabel {
 public:
  // Where it stands: top left (a lesson's task, the challenge), or bottom
  // left (hints on the scene), in both cases left of the lens.
  enum class Anchor { TopLeft, BottomLeft };
  explicit Banner(QWidget* form, Anchor anchor = Anchor::TopLeft);

  // Shows the text at the form's top left; empty text hides it.
  void say(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Anchor anchor_;
};

}  // namespace app
