#pragma once

#include "QtTesting.h"
#include "window/Fermat.h"
#include "canvas/Canvas.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Where a control of the window stands, in world units of the picture's frame
// in force, in Single: its top-left corner and its extents to the right and
// downwards, read from the widget's pixel rectangle on its form.
struct WorldBox {
  float left, top, width, height;
};
[[nodiscard]] inline WorldBox WorldBoxOf(const canvas::Control& c) {
  const auto& form = static_cast<const canvas::Form&>(*c.widget()->parentWidget());
  const lab::Frame& f = form.canvas.frame();
  const QRectF r = c.pixelRect();
  return {.left = static_cast<float>(f.toWorld({r.left(), 0}).x),
          .top = static_cast<float>(f.toWorld({0, r.top()}).y),
          .width = static_cast<float>(r.width() * std::abs(f.width) / f.pixels.width),
          .height = static_cast<float>(r.height() * std::abs(f.height) / f.pixels.height)};
}

// The centre of a marker as the window shows it, by the placement rule, in Single.
[[nodiscard]] inline lab::ShapeCentre CentreOf(const canvas::Control& shape) {
  const WorldBox b = WorldBoxOf(shape);
  return {b.left + b.width / 2.0f, b.top - b.height / 2.0f};
}

// A started program window on the offscreen platform: the scene built, the
// lab logging every operation, and message boxes recorded instead of shown.
struct TestWindow {
  std::unique_ptr<app::Fermat> window;
  std::vector<QString> messages;

  explicit TestWindow(QSize client = QSize(1280, 800));

  app::Fermat& w() { return *window; }
  canvas::Form& form() { return window->form(); }
  canvas::Canvas& canvas() { return window->form().canvas; }
  lab::Surface& surface() { return window->lab().surface(); }
  const lab::SceneState& scene() { return window->scene(); }

  // Drags a marker as a user would: press at its centre, move, release at (x, y).
  void dragSource(float x, float y);
  void dragEntry(float x, float y);

  // The lab's operation log since the last clearLog, and its operations of one kind.
  const std::vector<lab::Op>& log() const { return window->lab().surface().log(); }
  std::vector<lab::Op> ops(lab::Op::Kind kind) const;
  QRgb pixelAt(double x, double y) const;
};

}  // namespace testing_support
