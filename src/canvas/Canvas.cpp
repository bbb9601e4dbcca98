#include "canvas/Canvas.h"

#include "optics/Single.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace canvas {
namespace {

// Qt's raster engine works in fixed point and misbehaves far outside the
// device; geometry is clipped or skipped well before that.
constexpr double kPixelLimit = 1.0e6;

double single(double v) { return static_cast<double>(optics::RoundToSingle(v)); }

QPen makePen(QRgb color, int width, int style) {
  const int w = std::clamp(width, 1, 512);
  QPen pen{QColor::fromRgb(color)};
  if (w == 1) {
    // A one-pixel pen goes through Qt's thin-line stroker: an 8-connected
    // run of pixels, so a 4-connected flood fill cannot leak through it.
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    if (style == 1) pen.setDashPattern({18.0, 6.0});  // the dash and gap of a GDI dashed pen
    if (style == 2) pen.setDashPattern({3.0, 3.0});   // and of its dotted pen
  } else {
    pen.setWidth(w);  // dashes apply to one-pixel pens only
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

// a*b - c*d without the cancellation of the plain expression (Kahan).
double differenceOfProducts(double a, double b, double c, double d) {
  const double cd = c * d;
  return std::fma(a, b, -cd) + std::fma(-c, d, cd);
}

// Clipping of a world segment to [xLo, xHi] x [yLo, yHi]; false when nothing
// of it lies inside. It runs along the segment's dominant axis u, taking the
// other coordinate from the line's implicit equation x*dy - y*dx = a.x*b.y -
// a.y*b.x rather than interpolating from the far end: with ends at 1e30 an
// interpolation (or a parameter t in 0..1) would lose the visible part in
// rounding. An end that needs no clipping is kept exactly.
bool clipSegment(QPointF& a, QPointF& b, double xLo, double xHi, double yLo, double yHi) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  if (dx == 0.0 && dy == 0.0) return a.x() >= xLo && a.x() <= xHi && a.y() >= yLo && a.y() <= yHi;
  const double cross = differenceOfProducts(a.x(), b.y(), a.y(), b.x());
  const bool alongX = std::abs(dx) >= std::abs(dy);
  const double ua = alongX ? a.x() : a.y(), ub = alongX ? b.x() : b.y();
  const double du = alongX ? dx : dy, dw = alongX ? dy : dx;
  const double uLo = alongX ? xLo : yLo, uHi = alongX ? xHi : yHi;
  const double wLo = alongX ? yLo : xLo, wHi = alongX ? yHi : xHi;
  const double shift = alongX ? -cross : cross;
  auto wAt = [&](double u) { return (u * dw + shift) / du; };  // |dw / du| <= 1: well conditioned
  double lo = std::max(std::min(ua, ub), uLo), hi = std::min(std::max(ua, ub), uHi);
  if (dw == 0.0) {
    const double w = alongX ? a.y() : a.x();
    if (w < wLo || w > wHi) return false;
  } else {
    const double u0 = (wLo * du - shift) / dw, u1 = (wHi * du - shift) / dw;
    lo = std::max(lo, std::min(u0, u1));
    hi = std::min(hi, std::max(u0, u1));
  }
  if (!(lo <= hi)) return false;
  auto at = [&](double u) { return alongX ? QPointF(u, wAt(u)) : QPointF(wAt(u), u); };
  const bool forward = ub >= ua;
  const double ea = forward ? lo : hi, eb = forward ? hi : lo;
  const QPointF na = ea == ua ? a : at(ea);
  const QPointF nb = eb == ub ? b : at(eb);
  a = na;
  b = nb;
  return true;
}

}  // namespace

Canvas::~Canvas() { closePainter(); }

const QImage& Canvas::image() const {
  closePainter();
  return image_;
}

QPainter& Canvas::painter(QRgb color, bool brush) {
  std::unique_ptr<QPainter>& p = painter_.painter;
  if (!p) p = std::make_unique<QPainter>(&image_);
  p->setPen(makePen(color, DrawWidth, DrawStyle));
  p->setBrush(brush ? QBrush(QColor::fromRgb(FillColor)) : QBrush(Qt::NoBrush));
  return *p;
}

// The destructor and every direct pixel access close the painter first.
void Canvas::closePainter() const { painter_.painter.reset(); }

// A one-pixel ring written straight into the image: for each whole-pixel
// offset d along an axis, the other offset sqrt(r^2 - d^2), in all eight
// octants. Within an octant the other offset changes by at most one pixel per
// step, so the ring is 8-connected like a thin Qt stroke, at a fraction of
// the cost of stroking a large ellipse. A fill paints the pixels whose
// centres lie inside first, so a filled circle has exactly the ring of an
// unfilled one.
void Canvas::thinCircle(QPointF centre, double radius, QRgb color, std::optional<QRgb> fill) {
  closePainter();
  const int w = image_.width(), h = image_.height();
  const double cx = centre.x(), cy = centre.y();
  if (fill) {
    const int top = std::max(0, static_cast<int>(std::floor(cy - radius)));
    const int bottom = std::min(h - 1, static_cast<int>(std::ceil(cy + radius)));
    for (int row = top; row <= bottom; ++row) {
      const double dy = row + 0.5 - cy;
      if (dy * dy > radius * radius) continue;
      const double half = std::sqrt(radius * radius - dy * dy);
      const int from = std::max(0, static_cast<int>(std::ceil(cx - half - 0.5)));
      const int to = std::min(w - 1, static_cast<int>(std::floor(cx + half - 0.5)));
      auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
      std::fill(line + from, line + to + 1, *fill | 0xff000000u);
    }
  }
  // Straight into the pixel buffer: scanLine() would check for sharing on every dot.
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  const QRgb ink = color | 0xff000000u;
  auto plot = [&](double x, double y) {
    const double fx = std::floor(x), fy = std::floor(y);
    if (fx < 0 || fy < 0 || fx >= w || fy >= h) return;
    reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(fy) * stride)[static_cast<int>(fx)] = ink;
  };
  const int steps = static_cast<int>(std::ceil(radius / std::numbers::sqrt2));
  for (int i = 0; i <= steps; ++i) {
    const double d = std::min<double>(i, radius);
    const double e = std::sqrt(std::max(0.0, radius * radius - d * d));
    plot(cx + d, cy + e), plot(cx + d, cy - e), plot(cx - d, cy + e), plot(cx - d, cy - e);
    plot(cx + e, cy + d), plot(cx + e, cy - d), plot(cx - e, cy + d), plot(cx - e, cy - d);
  }
}

Canvas::Canvas(QSize pixels) : image_(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32) {
  image_.fill(kBackground);
  // Until Scale is called the frame is the client area in twips, y downwards.
  scaleWidth_ = static_cast<float>(image_.width() * kTwipsPerPixel);
  scaleHeight_ = static_cast<float>(image_.height() * kTwipsPerPixel);
}

void Canvas::Scale(double x1, double y1, double x2, double y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || x1 == x2 ||
      y1 == y2) {
    ++refused_;
    return;
  }
  scaleLeft_ = optics::RoundToSingle(x1);
  scaleTop_ = optics::RoundToSingle(y1);
  scaleWidth_ = optics::RoundToSingle(x2 - x1);
  scaleHeight_ = optics::RoundToSingle(y2 - y1);
  scaleMode_ = kScaleUser;
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
  const double w = image_.width();
  return length * pixelsPerUnitOf(from, w, scaleWidth_) / pixelsPerUnitOf(to, w, scaleWidth_);
}

double Canvas::ScaleY(double length, int from, int to) const noexcept {
  const double h = image_.height();
  return length * pixelsPerUnitOf(from, h, scaleHeight_) / pixelsPerUnitOf(to, h, scaleHeight_);
}

QPointF Canvas::toPixel(double x, double y) const noexcept {
  return {(x - scaleLeft_) * image_.width() / scaleWidth_, (y - scaleTop_) * image_.height() / scaleHeight_};
}

QPointF Canvas::toWorld(QPointF pixel) const noexcept {
  return {scaleLeft_ + pixel.x() * scaleWidth_ / image_.width(),
          scaleTop_ + pixel.y() * scaleHeight_ / image_.height()};
}

double Canvas::pixelsPerUnit() const noexcept { return image_.width() / std::abs(double{scaleWidth_}); }

bool Canvas::admit(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(optics::RoundToSingle(v))) {
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
  record({.kind = CanvasOp::Kind::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .color = color,
          .width = DrawWidth, .style = DrawStyle});
  CurrentX = static_cast<float>(x2);
  CurrentY = static_cast<float>(y2);

  // Clipped in world units, before the frame's offset is added: next to an
  // end at 1e30 the offset would vanish in rounding and shift the line.
  const double margin = 8.0 + std::clamp(DrawWidth, 1, 512);
  const QPointF c0 = toWorld({-margin, -margin});
  const QPointF c1 = toWorld({image_.width() + margin, image_.height() + margin});
  QPointF a(x1, y1), b(x2, y2);
  if (!clipSegment(a, b, std::min(c0.x(), c1.x()), std::max(c0.x(), c1.x()), std::min(c0.y(), c1.y()),
                   std::max(c0.y(), c1.y())))
    return;
  a = toPixel(a.x(), a.y());
  b = toPixel(b.x(), b.y());
  QPainter& p = painter(color, false);
  if (a == b)
    p.drawPoint(a);
  else
    p.drawLine(a, b);
  notify();
}

void Canvas::LineTo(double x2, double y2, std::optional<QRgb> c) { Line(CurrentX, CurrentY, x2, y2, c); }

void Canvas::Circle(double x, double y, double r, std::optional<QRgb> c) {
  if (!admit({x, y, r})) return;
  x = single(x), y = single(y), r = single(r);
  const QRgb color = c.value_or(ForeColor);
  const bool filled = FillStyle == 0;
  record({.kind = CanvasOp::Kind::Circle, .x1 = x, .y1 = y, .r = r, .color = color, .width = DrawWidth,
          .style = DrawStyle, .fill = filled ? std::optional<QRgb>(FillColor) : std::nullopt});
  CurrentX = static_cast<float>(x);
  CurrentY = static_cast<float>(y);

  const QPointF centre = toPixel(x, y);
  const double rp = std::abs(r) * pixelsPerUnit();
  // Skip what cannot touch the image: a circle wholly outside it, or one so
  // large that the image lies inside it with room to spare.
  const double cx = std::clamp(centre.x(), 0.0, double(image_.width()));
  const double cy = std::clamp(centre.y(), 0.0, double(image_.height()));
  const double nearest = std::hypot(centre.x() - cx, centre.y() - cy);
  if (nearest > rp + DrawWidth + 2 || rp > kPixelLimit) return;
  if (DrawWidth <= 1 && DrawStyle == 0) {
    thinCircle(centre, rp, color, filled ? std::optional<QRgb>(FillColor) : std::nullopt);
  } else {
    painter(color, filled).drawEllipse(centre, rp, rp);
  }
  notify();
}

void Canvas::Circle(double x, double y, double r, std::optional<QRgb> c, double start, double end) {
  if (!admit({x, y, r, start, end})) return;
  x = single(x), y = single(y), r = single(r), start = single(start), end = single(end);
  const QRgb color = c.value_or(ForeColor);
  record({.kind = CanvasOp::Kind::Arc, .x1 = x, .y1 = y, .r = r, .start = start, .end = end, .color = color,
          .width = DrawWidth, .style = DrawStyle});
  CurrentX = static_cast<float>(x);
  CurrentY = static_cast<float>(y);

  const QPointF centre = toPixel(x, y);
  const double rp = std::abs(r) * pixelsPerUnit();
  if (rp > kPixelLimit || std::abs(centre.x()) > kPixelLimit || std::abs(centre.y()) > kPixelLimit) return;
  constexpr double twoPi = 2.0 * std::numbers::pi;
  const double a0 = std::fmod(start, twoPi);
  double sweep = std::fmod(end - start, twoPi);
  if (sweep < 0) sweep += twoPi;  // end < start: the arc runs on through angle 0
  const double toDeg = 180.0 / std::numbers::pi;
  const QRectF box(centre.x() - rp, centre.y() - rp, 2 * rp, 2 * rp);
  QPainterPath path;
  path.arcMoveTo(box, a0 * toDeg);
  path.arcTo(box, a0 * toDeg, sweep * toDeg);
  painter(color, false).drawPath(path);
  notify();
}

void Canvas::PSet(double x, double y, std::optional<QRgb> c) {
  if (!admit({x, y})) return;
  x = single(x), y = single(y);
  const QRgb color = c.value_or(ForeColor);
  record({.kind = CanvasOp::Kind::PSet, .x1 = x, .y1 = y, .color = color, .width = DrawWidth});
  CurrentX = static_cast<float>(x);
  CurrentY = static_cast<float>(y);

  // A disc exactly DrawWidth pixels across: a w x w block of cells, centred
  // on the point, keeping the cells whose centres lie within the circle.
  const int w = std::clamp(DrawWidth, 1, 512);
  const QPointF px = toPixel(x, y);
  if (std::abs(px.x()) > kPixelLimit || std::abs(px.y()) > kPixelLimit) return;
  closePainter();
  const int left = static_cast<int>(std::floor(px.x() - w / 2.0 + 0.5));
  const int top = static_cast<int>(std::floor(px.y() - w / 2.0 + 0.5));
  const double half = w / 2.0;
  bool changed = false;
  for (int b = 0; b < w; ++b) {
    const int row = top + b;
    if (row < 0 || row >= image_.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
    const double dy = b + 0.5 - half;
    for (int a = 0; a < w; ++a) {
      const int col = left + a;
      if (col < 0 || col >= image_.width()) continue;
      const double dx = a + 0.5 - half;
      if (dx * dx + dy * dy <= half * half + 1e-9) {
        line[col] = color;
        changed = true;
      }
    }
  }
  if (changed) notify();
}

void Canvas::Cls() {
  record({.kind = CanvasOp::Kind::Cls});
  closePainter();
  image_.fill(kBackground);
  CurrentX = 0;
  CurrentY = 0;
  notify();
}

void Canvas::Refresh() { notify(); }

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
  closePainter();  // the copy must hold every pixel painted so far
  return {
      .image = image_, .state = drawingState(), .log = logging_ ? log_ : std::vector<CanvasOp>{}, .refused = refused_};
}

void Canvas::restore(const Saved& saved) {
  closePainter();
  image_ = saved.image;
  setDrawingState(saved.state);
  if (logging_) log_ = saved.log;
  refused_ = saved.refused;
  notify();
}

bool Canvas::FloodFill(int x, int y, QRgb boundary) {
  record({.kind = CanvasOp::Kind::FloodFill, .x1 = double(x), .y1 = double(y), .color = FillColor});
  const int w = image_.width(), h = image_.height();
  if (x < 0 || y < 0 || x >= w || y >= h) return false;
  // A transparent fill paints nothing, as a hollow brush would.
  if (FillStyle != 0) return false;
  closePainter();
  const QRgb stop = boundary | 0xff000000u;
  // Straight into the pixel buffer: scanLine() would check for sharing on every pixel.
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  auto pixel = [&](int cx, int cy) -> QRgb& { return reinterpret_cast<QRgb*>(bits + cy * stride)[cx]; };
  if (pixel(x, y) == stop) return false;

  // Scanline fill with a visited mask, so that pixels already of the fill
  // colour inside the region are passed through rather than taken for walls.
  // The mask is kept between fills, all zero: every redraw fills, and a
  // full-screen mask is megabytes, so only the rows this fill marked are
  // cleared again when it is done.
  const std::size_t cells = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  if (fillSeen_.size() != cells) fillSeen_.assign(cells, 0);
  int top = y, bottom = y, left = x, right = x;  // what the fill marked
  auto visited = [&](int cx, int cy) -> std::uint8_t& { return fillSeen_[std::size_t(cy) * std::size_t(w) + cx]; };
  std::vector<QPoint> stack{{x, y}};
  const QRgb paint = FillColor | 0xff000000u;
  while (!stack.empty()) {
    const QPoint s = stack.back();
    stack.pop_back();
    int cy = s.y();
    if (visited(s.x(), cy) || pixel(s.x(), cy) == stop) continue;
    int l = s.x(), r = s.x();
    while (l > 0 && !visited(l - 1, cy) && pixel(l - 1, cy) != stop) --l;
    while (r < w - 1 && !visited(r + 1, cy) && pixel(r + 1, cy) != stop) ++r;
    for (int cx = l; cx <= r; ++cx) {
      pixel(cx, cy) = paint;
      visited(cx, cy) = 1;
    }
    top = std::min(top, cy), bottom = std::max(bottom, cy);
    left = std::min(left, l), right = std::max(right, r);
    for (int ny : {cy - 1, cy + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool inRun = false;
      for (int cx = l; cx <= r; ++cx) {
        const bool open = !visited(cx, ny) && pixel(cx, ny) != stop;
        if (open && !inRun) stack.push_back({cx, ny});
        inRun = open;
      }
    }
  }
  for (int cy = top; cy <= bottom; ++cy) std::fill_n(&visited(left, cy), right - left + 1, std::uint8_t{0});
  notify();
  return true;
}

}  // namespace canvas
