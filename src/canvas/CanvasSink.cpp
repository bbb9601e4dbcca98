#include "canvas/CanvasSink.h"

#include "canvas/Form.h"

namespace canvas {
namespace {

struct CanvasSnapshot final : lab::PixelSink::Snapshot {
  explicit CanvasSnapshot(Canvas::Saved s) : saved(std::move(s)) {}
  Canvas::Saved saved;
};

const Canvas::Saved& savedOf(const lab::PixelSink::Snapshot& s) {
  return static_cast<const CanvasSnapshot&>(s).saved;
}

}  // namespace

void CanvasSink::scale(double x1, double y1, double x2, double y2) { form_.canvas.Scale(x1, y1, x2, y2); }

void CanvasSink::draw(const lab::Op& op) {
  Canvas& c = form_.canvas;
  c.DrawWidth = op.width;
  c.DrawStyle = op.style;
  using K = lab::Op::Kind;
  switch (op.kind) {
    case K::Line: c.Line(op.x1, op.y1, op.x2, op.y2, op.color); break;
    case K::Circle:
      c.FillStyle = op.fill ? 0 : 1;
      if (op.fill) c.FillColor = *op.fill;
      c.Circle(op.x1, op.y1, op.r, op.color);
      break;
    case K::Arc: c.Circle(op.x1, op.y1, op.r, op.color, op.start, op.end); break;
    case K::PSet: c.PSet(op.x1, op.y1, op.color); break;
    case K::Cls: c.Cls(); break;
    case K::FloodFill: break;  // through floodFill, which answers whether it painted
  }
}

bool CanvasSink::floodFill(int x, int y, lab::Colour fill, lab::Colour boundary) {
  Canvas& c = form_.canvas;
  c.FillStyle = 0;
  c.FillColor = fill;
  return c.FloodFill(x, y, boundary);
}

void CanvasSink::refused() { form_.canvas.countRefused(); }

void CanvasSink::setLogging(bool on) { form_.canvas.setLogging(on); }

std::shared_ptr<const lab::PixelSink::Snapshot> CanvasSink::save() const {
  return std::make_shared<CanvasSnapshot>(form_.canvas.save());
}

void CanvasSink::restore(const Snapshot& s) { form_.canvas.restore(savedOf(s)); }

lab::PixelSink::Mark CanvasSink::mark() const {
  const Canvas::Mark m = form_.canvas.mark();
  return {m.logged, m.refused};
}

std::shared_ptr<const lab::PixelSink::Snapshot> CanvasSink::drawnSince(Mark m) const {
  return std::make_shared<CanvasSnapshot>(form_.canvas.drawnSince({m.logged, m.refused}));
}

void CanvasSink::replay(const Snapshot& s) { form_.canvas.replay(savedOf(s)); }

void CanvasSink::reset(lab::Size pixels) {
  if (form_.canvas.pixelSize() != QSize(pixels.width, pixels.height)) {
    form_.setClientSize(QSize(pixels.width, pixels.height));
  } else {
    form_.restoreDesign();
  }
}

}  // namespace canvas
