#pragma once

#include "lab/Challenge.h"

#include <QWidget>

#include <optional>

namespace canvas {
class Canvas;
}

namespace app {

// The challenge's answer drawn above the picture, a widget of its own over
// the whole client area: the least-time path source -> entry -> target in
// green and the student's guess ringed, never drawn into the retained image.
// Mouse input passes through.
class ChallengeOverlay final : public QWidget {
 public:
  ChallengeOverlay(QWidget* form, const canvas::Canvas& canvas);

  // Shows the answer (or nothing) over the form's whole area.
  void show(const std::optional<lab::ChallengeReveal>& reveal);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const canvas::Canvas& canvas_;
  std::optional<lab::ChallengeReveal> reveal_;
};

}  // namespace app
