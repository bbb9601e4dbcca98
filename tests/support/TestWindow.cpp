#include "TestWindow.h"

#include <cmath>

namespace testing_support {

TestWindow::TestWindow(QSize client) : window(app::Main(client, true)) {
  window->form().setMessageHandler([this](const QString& text) { messages.push_back(text); });
}

void TestWindow::dragSource(float x, float y) {
  const scene::ShapeCentre c = scene::CentreOf(form().kyklos);
  window->Form_MouseDown(1, 0, c.x, c.y);
  window->Form_MouseMove(1, 0, x, y);
  window->Form_MouseUp(1, 0, x, y);
}

void TestWindow::dragEntry(float x, float y) {
  const scene::ShapeCentre c = scene::CentreOf(form().shmeio);
  window->Form_MouseDown(1, 0, c.x, c.y);
  window->Form_MouseMove(1, 0, x, y);
  window->Form_MouseUp(1, 0, x, y);
}

std::vector<canvas::CanvasOp> TestWindow::ops(canvas::CanvasOp::Kind kind) const {
  std::vector<canvas::CanvasOp> out;
  for (const canvas::CanvasOp& op : window->form().canvas.log()) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

QRgb TestWindow::pixelAt(double x, double y) const {
  const canvas::Canvas& c = window->form().canvas;
  const QPointF p = c.toPixel(x, y);
  return opaque(c.image().pixel(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))));
}

}  // namespace testing_support
