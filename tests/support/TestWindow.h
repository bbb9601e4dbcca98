#pragma once

#include "QtTesting.h"
#include "window/Fermat.h"
#include "canvas/Canvas.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// The centre of a marker as the window shows it, by the placement rule, in Single.
[[nodiscard]] inline lab::ShapeCentre CentreOf(const canvas::Control& shape) {
  return {shape.Left() + shape.Width() / 2.0f, shape.Top() - shape.Height() / 2.0f};
}

// A started program window on the offscreen platform: the scene built, the
// canvas logging every operation, and message boxes recorded instead of shown.
struct TestWindow {
  std::unique_ptr<app::Fermat> window;
  std::vector<QString> messages;

  explicit TestWindow(QSize client = QSize(1280, 800));

  app::Fermat& w() { return *window; }
  canvas::Form& form() { return window->form(); }
  canvas::Canvas& canvas() { return window->form().canvas; }
  const lab::SceneState& scene() { return window->scene(); }

  // Drags a marker as a user would: press at its centre, move, release at (x, y).
  void dragSource(float x, float y);
  void dragEntry(float x, float y);

  // The operations logged since the last clearLog, of one kind.
  std::vector<canvas::CanvasOp> ops(canvas::CanvasOp::Kind kind) const;
  QRgb pixelAt(double x, double y) const;
};

}  // namespace testing_support
