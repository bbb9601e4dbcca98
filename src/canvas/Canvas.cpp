#include "canvas/Canvas.h"

#include "canvas/SegmentClip.h"
#include "numeric/Single.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace canvas {
namespace {

// Qt's raster engine works in fixed point and misbehaves far outside the
// device; geometry is clipped or skipped well before that.
constexpr double kPixelLimit = 1.0e6;

double single(double v) {
  return static_cast<double>(numeric::RoundToSingle(v));
}

// Until Scale is called the frame is the client area in twips, y downwards.
Frame twipFrame(QSize pixels) {
  return {.left = 0,
          .top = 0,
          .width = static_cast<float>(pixels.width() * kTwipsPerPixel),
          .height = static_cast<float>(pixels.height() * kTwipsPerPixel),
          .pixels = pixels};
}

}  // namespace

Canvas::Canvas(QSize pixels) : image_(pixels, kBackground), frame_(twipFrame(image_.size())), list_(frame_) {}

const QImage& Canvas::image() const {
  return image_.image();
}

void Canvas::Scale(double x1, double y1, double x2, double y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || x1 == x2 || y1 == y2) {
    ++refused_;
    return;
  }
  frame_.left = numeric::RoundToSingle(x1);
  frame_.top = numeric::RoundToSingle(y1);
  frame_.width = numeric::RoundToSingle(x2 - x1);
  frame_.height = numeric::RoundToSingle(y2 - y1);
  scaleMode_ = kScaleUser;
  list_.setFrame(frame_);
}

namespace {
double pixelsPerUnitOf(int unit, double pixels, double extent) {
  switch (unit) {
    case kScaleUser: return pixels / extent;
    case kScaleTwips: return 1.0 / kTwipsPerPixel;
    default: return 1.0;  // pixels
  }
}
}  // namespace

double Canvas::ScaleX(double length, int from, int to) const noexcept {
  const double w = frame_.pixels.width();
  return length * pixelsPerUnitOf(from, w, frame_.width) / pixelsPerUnitOf(to, w, frame_.width);
}

double Canvas::ScaleY(double length, int from, int to) const noexcept {
  const double h = frame_.pixels.height();
  return length * pixelsPerUnitOf(from, h, frame_.height) / pixelsPerUnitOf(to, h, frame_.height);
}

QPointF Canvas::toPixel(double x, double y) const noexcept {
  return frame_.toPixel(x, y);
}

QPointF Canvas::toWorld(QPointF pixel) const noexcept {
  return {frame_.left + pixel.x() * frame_.width / frame_.pixels.width(),
          frame_.top + pixel.y() * frame_.height / frame_.pixels.height()};
}

double Canvas::pixelsPerUnit() const noexcept {
  return frame_.pixelsPerUnit();
}

bool Canvas::admit(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(numeric::RoundToSingle(v))) {
      ++refused_;
      return false;
    }
  }
  return true;
}

void Canvas::record(const CanvasOp& op) {
  if (logging_) log_.push_back(op);
}

void Canvas::notify() {
  if (changed_) changed_();
}

void Canvas::Line(double x1, double y1, double x2, double y2, std::optional<QRgb> c) {
  if (!admit({x1, y1, x2, y2})) return;
  x1 = single(x1), y1 = single(y1), x2 = single(x2), y2 = single(y2);
  const QRgb color = c.value_or(ForeColor);
  CanvasOp op{.kind = CanvasOp::Kind::Line,
              .x1 = x1,
              .y1 = y1,
              .x2 = x2,
              .y2 = y2,
              .color = color,
              .width = DrawWidth,
              .style = DrawStyle};
  record(op);
  CurrentX = static_cast<float>(x2);
  CurrentY = static_cast<float>(y2);

  // Clipped in world units, before the frame's offset is added: next to an
  // end at 1e30 the offset would vanish in rounding and shift the line.
  const double margin = 8.0 + std::clamp(DrawWidth, 1, 512);
  const QSize size = image_.size();
  const QPointF c0 = toWorld({-margin, -margin});
  const QPointF c1 = toWorld({size.width() + margin, size.height() + margin});
  QPointF a(x1, y1), b(x2, y2);
  if (!ClipSegment(a, b, std::min(c0.x(), c1.x()), std::max(c0.x(), c1.x()), std::min(c0.y(), c1.y()),
                   std::max(c0.y(), c1.y())))
    return;
  op.x1 = a.x(), op.y1 = a.y(), op.x2 = b.x(), op.y2 = b.y();
  list_.add(op);
  image_.line(toPixel(a.x(), a.y()), toPixel(b.x(), b.y()), PixelPen(color, DrawWidth, DrawStyle));
  notify();
}

void Canvas::LineTo(double x2, double y2, std::optional<QRgb> c) {
  Line(CurrentX, CurrentY, x2, y2, c);
}

void Canvas::Circle(double x, double y, double r, std::optional<QRgb> c) {
  if (!admit({x, y, r})) return;
  x = single(x), y = single(y), r = single(r);
  const QRgb color = c.value_or(ForeColor);
  const bool filled = FillStyle == 0;
  const std::optional<QRgb> fill = filled ? std::optional<QRgb>(FillColor) : std::nullopt;
  const CanvasOp op{.kind = CanvasOp::Kind::Circle,
                    .x1 = x,
                    .y1 = y,
                    .r = r,
                    .color = color,
                    .width = DrawWidth,
                    .style = DrawStyle,
                    .fill = fill};
  record(op);
  CurrentX = static_cast<float>(x);
  CurrentY = static_cast<float>(y);

  const QPointF centre = toPixel(x, y);
  const double rp = std::abs(r) * pixelsPerUnit();
  // Skip what cannot touch the image: a circle wholly outside it, or one so
  // large that the image lies inside it with room to spare.
  const QSize size = image_.size();
  const double cx = std::clamp(centre.x(), 0.0, double(size.width()));
  const double cy = std::clamp(centre.y(), 0.0, double(size.height()));
  const double nearest = std::hypot(centre.x() - cx, centre.y() - cy);
  if (nearest > rp + DrawWidth + 2 || rp > kPixelLimit) return;
  list_.add(op);
  if (IsThinCircle(DrawWidth, DrawStyle)) {
    image_.thinCircle(centre, rp, color, fill);
  } else {
    image_.ellipse(centre, rp, PixelPen(color, DrawWidth, DrawStyle), fill);
  }
  notify();
}

void Canvas::Circle(double x, double y, double r, std::optional<QRgb> c, double start, double end) {
  if (!admit({x, y, r, start, end})) return;
  x = single(x), y = single(y), r = single(r), start = single(start), end = single(end);
  const QRgb color = c.value_or(ForeColor);
  const CanvasOp op{.kind = CanvasOp::Kind::Arc,
                    .x1 = x,
                    .y1 = y,
                    .r = r,
                    .start = start,
                    .end = end,
                    .color = color,
                    .width = DrawWidth,
                    .style = DrawStyle};
  record(op);
  CurrentX = static_cast<float>(x);
  CurrentY = static_cast<float>(y);

  const QPointF centre = toPixel(x, y);
  const double rp = std::abs(r) * pixelsPerUnit();
  if (rp > kPixelLimit || std::abs(centre.x()) > kPixelLimit || std::abs(centre.y()) > kPixelLimit) return;
  list_.add(op);
  image_.path(ArcPath(centre, rp, start, end), PixelPen(color, DrawWidth, DrawStyle));
  notify();
}

void Canvas::PSet(double x, double y, std::optional<QRgb> c) {
  if (!admit({x, y})) return;
  x = single(x), y = single(y);
  const QRgb color = c.value_or(ForeColor);
  const CanvasOp op{.kind = CanvasOp::Kind::PSet, .x1 = x, .y1 = y, .color = color, .width = DrawWidth};
  record(op);
  CurrentX = static_cast<float>(x);
  CurrentY = static_cast<float>(y);

  const QPointF px = toPixel(x, y);
  if (std::abs(px.x()) > kPixelLimit || std::abs(px.y()) > kPixelLimit) return;
  if (image_.dot(px, std::clamp(DrawWidth, 1, 512), color)) {
    list_.add(op);
    notify();
  }
}

void Canvas::Cls() {
  record({.kind = CanvasOp::Kind::Cls});
  list_.clear();
  image_.clear(kBackground);
  CurrentX = 0;
  CurrentY = 0;
  notify();
}

void Canvas::Refresh() {
  notify();
}

Canvas::DrawingState Canvas::drawingState() const noexcept {
  return {.drawWidth = DrawWidth,
          .drawStyle = DrawStyle,
          .fillStyle = FillStyle,
          .fillColor = FillColor,
          .foreColor = ForeColor,
          .currentX = CurrentX,
          .currentY = CurrentY};
}

void Canvas::setDrawingState(const DrawingState& s) noexcept {
  DrawWidth = s.drawWidth;
  DrawStyle = s.drawStyle;
  FillStyle = s.fillStyle;
  FillColor = s.fillColor;
  ForeColor = s.foreColor;
  CurrentX = s.currentX;
  CurrentY = s.currentY;
}

Canvas::Saved Canvas::save() const {
  return {.image = image_.image(),
          .list = list_,
          .state = drawingState(),
          .log = logging_ ? log_ : std::vector<CanvasOp>{},
          .refused = refused_};
}

void Canvas::restore(const Saved& saved) {
  image_.assign(saved.image);
  list_.restore(saved.list);
  setDrawingState(saved.state);
  if (logging_) log_ = saved.log;
  refused_ = saved.refused;
  notify();
}

Canvas::Saved Canvas::drawnSince(Mark m) const {
  Saved s{.image = image_.image(), .list = list_, .state = drawingState(), .log = {}, .refused = refused_ - m.refused};
  if (logging_ && m.logged <= log_.size()) s.log.assign(log_.begin() + static_cast<std::ptrdiff_t>(m.logged), log_.end());
  return s;
}

void Canvas::replay(const Saved& drawn) {
  image_.assign(drawn.image);
  list_.restore(drawn.list);
  setDrawingState(drawn.state);
  if (logging_) log_.insert(log_.end(), drawn.log.begin(), drawn.log.end());
  refused_ += drawn.refused;
  notify();
}

bool Canvas::FloodFill(int x, int y, QRgb boundary) {
  // A transparent fill paints nothing, as a hollow brush would.
  if (FillStyle != 0) return false;
  const std::vector<FillRun> runs = image_.floodFill(x, y, boundary, FillColor);
  if (runs.empty()) return false;
  const CanvasOp op{.kind = CanvasOp::Kind::FloodFill, .x1 = double(x), .y1 = double(y), .color = FillColor};
  record(op);
  list_.add(op, TraceFill(runs, FillColor | 0xff000000u, boundary | 0xff000000u));
  notify();
  return true;
}

}  // namespace canvas
