#pragma once

#include "lab/Challenge.h"

#include <QWidget>

#include <optional>

namespace canvas {
class Canvas;
}

namespace app {

// The challenge's answer drawn above the picture, a widget of its own over
// the whole client area, never drawn into the retained image: the lab's
// drawing of the answer (lab::ChallengeAnswerDrawing), its world points
// mapped by the canvas's frame. Mouse input passes through.
class ChallengeOverlay final : public QWidget {
 public:
  ChallengeOverlay(QWidget* form, const canvas::Canvas& canvas);

  // Shows the answer (or nothing) over the form's whole area.
  void show(const std::optional<lab::ChallengeReveal>& reveal);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const canvas::Canvas& canvas_;
  std::optional<lab::ChallengeDrawing> drawing_;
};

}  // namespace app
