#pragma once

#include "lab/Challenge.h"

#include <QWidget>

#include <optional>

namespace canvas {
class Canvas;
}

namespace app {

// The challenge's answer (or another of the lab's overlay drawings, such as
// the mirror scene's ellipses) drawn above the picture, a widget of its own over
// the whole client area, never drawn into the retained image: the lab's
// drawing of the answer (lab::ChallengeAnswerDrawing), its world points
// mapped by the canvas's frame. Mouse input passes through.
class ChallengeOverlay final : public QWidget {
 public:
  ChallengeOverlay(QWidget* form, const canvas::Canvas& canvas);

  // Shows the answer (or nothing) over the form's whole area.
  void show(const std::optional<lab::ChallengeReveal>& reveal);
  // Shows any drawing of the lab's in the same way (an empty one: nothing).
  void showDrawing(std::optional<lab::ChallengeDrawing> drawing);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const canvas::Canvas& canvas_;
  std::optional<lab::ChallengeDrawing> drawing_;
};

}  // namespace app
