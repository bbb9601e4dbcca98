#include "canvas/Canvas.h"

#include "canvas/FillShape.h"
#include "canvas/Pen.h"
#include "canvas/SegmentClip.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace canvas {
namespace {

// Qt's raster engine works in fixed point and misbehaves far outside the
// device; geometry is clipped or skipped well before that.
constexpr double kPixelLimit = 1.0e6;

struct CanvasSnapshot final : lab::PixelSink::Snapshot {
  explicit CanvasSnapshot(QImage i) : image(std::move(i)) {}
  QImage image;  // shared until either side paints again
};

}  // namespace

std::optional<lab::Op> OnImage(const lab::Op& op, const lab::Frame& frame) {
  using K = lab::Op::Kind;
  const QSize size(frame.pixels.width, frame.pixels.height);
  switch (op.kind) {
    case K::Line: {
      // Clipped in world units, before the frame's offset is added: next to
      // an end at 1e30 the offset would vanish in rounding and shift the line.
      const double margin = 8.0 + lab::PenWidth(op.width);
      const core::Point c0 = frame.toWorld({-margin, -margin});
      const core::Point c1 = frame.toWorld({size.width() + margin, size.height() + margin});
      QPointF a(op.x1, op.y1), b(op.x2, op.y2);
      if (!ClipSegment(a, b, std::min(c0.x, c1.x), std::max(c0.x, c1.x), std::min(c0.y, c1.y), std::max(c0.y, c1.y)))
        return std::nullopt;
      lab::Op clipped = op;
      clipped.x1 = a.x(), clipped.y1 = a.y(), clipped.x2 = b.x(), clipped.y2 = b.y();
      return clipped;
    }
    case K::Circle: {
      // Skipped when it cannot touch the image: wholly outside it, or so
      // large that the image lies inside it with room to spare.
      const QPointF centre = PixelOf(frame, op.x1, op.y1);
      const double rp = std::abs(op.r) * frame.pixelsPerUnit();
      const double cx = std::clamp(centre.x(), 0.0, double(size.width()));
      const double cy = std::clamp(centre.y(), 0.0, double(size.height()));
      const double nearest = std::hypot(centre.x() - cx, centre.y() - cy);
      if (nearest > rp + op.width + 2 || rp > kPixelLimit) return std::nullopt;
      return op;
    }
    case K::Arc: {
      const QPointF centre = PixelOf(frame, op.x1, op.y1);
      const double rp = std::abs(op.r) * frame.pixelsPerUnit();
      if (rp > kPixelLimit || std::abs(centre.x()) > kPixelLimit || std::abs(centre.y()) > kPixelLimit)
        return std::nullopt;
      return op;
    }
    case K::PSet: {
      const QPointF px = PixelOf(frame, op.x1, op.y1);
      if (std::abs(px.x()) > kPixelLimit || std::abs(px.y()) > kPixelLimit) return std::nullopt;
      if (!DotReaches(px, lab::PenWidth(op.width), size)) return std::nullopt;
      return op;
    }
    case K::Cls:
    case K::FloodFill: return op;
  }
  return std::nullopt;
}

Canvas::Canvas(QSize pixels)
    : image_(pixels, kBackground),
      frame_{.left = 0, .top = 0, .width = 1, .height = 1, .pixels = {image_.size().width(), image_.size().height()}} {}

void Canvas::notify() const {
  if (changed_) changed_();
}

void Canvas::setFrame(const lab::Frame& frame) { frame_ = frame; }

QPointF Canvas::toPixel(double x, double y) const noexcept { return PixelOf(frame_, x, y); }

QPointF Canvas::toWorld(QPointF pixel) const noexcept {
  const core::Point w = frame_.toWorld({pixel.x(), pixel.y()});
  return {w.x, w.y};
}

void Canvas::draw(const lab::Op& in) {
  using K = lab::Op::Kind;
  if (in.kind == K::Cls) {
    image_.clear(kBackground);
    notify();
    return;
  }
  const std::optional<lab::Op> on = OnImage(in, frame_);
  if (!on) return;
  const lab::Op& op = *on;
  switch (op.kind) {
    case K::Line:
      image_.line(toPixel(op.x1, op.y1), toPixel(op.x2, op.y2),
                  OperationPen(op.color, op.width, op.style, PenDevice::Retained));
      break;
    case K::Circle: {
      const QPointF centre = toPixel(op.x1, op.y1);
      const double rp = std::abs(op.r) * frame_.pixelsPerUnit();
      if (IsThinCircle(op.width, op.style)) {
        image_.thinCircle(centre, rp, op.color, op.fill);
      } else {
        image_.ellipse(centre, rp, OperationPen(op.color, op.width, op.style, PenDevice::Retained), op.fill);
      }
      break;
    }
    case K::Arc:
      image_.path(ArcPath(toPixel(op.x1, op.y1), std::abs(op.r) * frame_.pixelsPerUnit(), op.start, op.end),
                  OperationPen(op.color, op.width, op.style, PenDevice::Retained));
      break;
    case K::PSet: image_.dot(toPixel(op.x1, op.y1), lab::PenWidth(op.width), op.color); break;
    case K::Cls:
    case K::FloodFill: return;  // a fill comes through floodFill, which answers whether it painted
  }
  notify();
}

lab::PixelSink::Fill Canvas::floodFill(int x, int y, lab::Colour fill, lab::Colour boundary) {
  const std::vector<FillRun> runs = image_.floodFill(x, y, boundary, fill);
  if (runs.empty()) return {};
  Fill painted{.painted = true, .trace = TraceFill(runs, fill | 0xff000000u, boundary | 0xff000000u)};
  notify();
  return painted;
}

std::shared_ptr<const lab::PixelSink::Snapshot> Canvas::save() const {
  return std::make_shared<CanvasSnapshot>(image_.image());
}

void Canvas::restore(const Snapshot& s) {
  image_.assign(static_cast<const CanvasSnapshot&>(s).image);
  notify();
}

void Canvas::reset(lab::Size pixels) {
  const QSize size(pixels.width, pixels.height);
  const bool resized = size != image_.size();
  image_ = RetainedImage(size, kBackground);
  frame_.pixels = {image_.size().width(), image_.size().height()};
  if (reset_) reset_(resized);
  notify();
}

}  // namespace canvas
