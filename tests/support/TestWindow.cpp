#include "TestWindow.h"

#include "cli/Actions.h"

#include <cmath>

namespace testing_support {

TestWindow::TestWindow(QSize client) : window(app::Main(client, true)) {
  window->form().setMessageHandler([this](const QString& text) { messages.push_back(text); });
}

void TestWindow::dragSource(float x, float y) {
  app::RunAction(*window, {.kind = app::Action::Kind::Source, .x = x, .y = y});
}

void TestWindow::dragEntry(float x, float y) {
  app::RunAction(*window, {.kind = app::Action::Kind::Entry, .x = x, .y = y});
}

std::vector<lab::Op> TestWindow::ops(lab::Op::Kind kind) const {
  std::vector<lab::Op> out;
  for (const lab::Op& op : log()) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

QRgb TestWindow::pixelAt(double x, double y) const { return PixelAtWorld(window->form().canvas, x, y); }

}  // namespace testing_support
