#pragma once

#include "app/Fermat.h"
#include "canvas/Canvas.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// A started program window on the offscreen platform: the scene built, the
// canvas logging every operation, and message boxes recorded instead of shown.
struct TestWindow {
  std::unique_ptr<app::Fermat> window;
  std::vector<QString> messages;

  explicit TestWindow(QSize client = QSize(1280, 800));

  app::Fermat& w() { return *window; }
  canvas::Form& form() { return window->form(); }
  canvas::Canvas& canvas() { return window->form().canvas; }
  scene::SceneState& scene() { return window->scene(); }

  // Drags a marker as a user would: press at its centre, move, release at (x, y).
  void dragSource(float x, float y);
  void dragEntry(float x, float y);

  // The operations logged since the last clearLog, of one kind.
  std::vector<canvas::CanvasOp> ops(canvas::CanvasOp::Kind kind) const;
  QRgb pixelAt(double x, double y) const;
};

// Colour without alpha, for comparisons with canvas::Rgb values.
inline QRgb opaque(QRgb c) { return c | 0xff000000u; }

// Pixel colour (RGB only) of the retained image at a world point.
QRgb PixelAtWorld(const canvas::Canvas& c, double x, double y);

// gtest parameter names from a table case's `name`.
struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

}  // namespace testing_support
