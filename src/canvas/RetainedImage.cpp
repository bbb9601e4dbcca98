#include "canvas/RetainedImage.h"

#include "canvas/ThinLine.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace canvas {

QPoint DotOrigin(QPointF px, int width) {
  return {static_cast<int>(std::floor(px.x() - width / 2.0 + 0.5)),
          static_cast<int>(std::floor(px.y() - width / 2.0 + 0.5))};
}

// The arc as a path in pixel positions: counterclockwise on the screen from
// start to end, through angle 0 when end < start.
QPainterPath ArcPath(QPointF centre, double radius, double start, double end) {
  constexpr double twoPi = 2.0 * std::numbers::pi;
  const double a0 = std::fmod(start, twoPi);
  double sweep = std::fmod(end - start, twoPi);
  if (sweep < 0) sweep += twoPi;
  const double toDeg = 180.0 / std::numbers::pi;
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  QPainterPath path;
  path.arcMoveTo(box, a0 * toDeg);
  path.arcTo(box, a0 * toDeg, sweep * toDeg);
  return path;
}

RetainedImage::RetainedImage(QSize pixels, QRgb background)
    : image_(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32) {
  image_.fill(background);
}

RetainedImage::~RetainedImage() {
  closePainter();
}

const QImage& RetainedImage::image() const {
  closePainter();
  return image_;
}

void RetainedImage::assign(const QImage& image) {
  closePainter();
  image_ = image;
}

QPainter& RetainedImage::painter(const QPen& pen, std::optional<QRgb> brush) {
  std::unique_ptr<QPainter>& p = painter_.painter;
  if (!p) p = std::make_unique<QPainter>(&image_);
  p->setPen(pen);
  p->setBrush(brush ? QBrush(QColor::fromRgb(*brush)) : QBrush(Qt::NoBrush));
  return *p;
}

// The destructor and every direct pixel access close the painter first.
void RetainedImage::closePainter() const {
  painter_.painter.reset();
}

void RetainedImage::clear(QRgb background) {
  closePainter();
  image_.fill(background);
}

namespace {

// A pixel index from a whole-numbered double, clamped to lo..hi first: a
// double beyond int's range has no defined conversion, and NaN clamps to lo.
int ClampedIndex(double v, int lo, int hi) {
  if (!(v >= lo)) return lo;
  if (v > hi) return hi;
  return static_cast<int>(v);
}

// The pen PixelPen gives for width 1, style 0 in an opaque colour.
bool isThinSolid(const QPen& pen) {
  return pen.style() == Qt::SolidLine && pen.isCosmetic() && pen.widthF() == 1.0 && pen.capStyle() == Qt::FlatCap &&
         pen.brush().style() == Qt::SolidPattern && pen.color().alpha() == 255;
}

}  // namespace

void RetainedImage::line(QPointF a, QPointF b, const QPen& pen) {
  if (a != b && isThinSolid(pen) && IsThinLineExact(image_, a, b)) {
    // Plotted by hand, into the buffer the open painter (if any) paints:
    // that painter keeps the image unshared, so bits() does not copy, and
    // Qt's raster engine holds no pixels of its own between calls.
    PlotThinLine(image_.bits(), image_.bytesPerLine(), image_.width(), image_.height(), a, b, pen.color().rgba());
    return;
  }
  QPainter& p = painter(pen, std::nullopt);
  if (a == b)
    p.drawPoint(a);
  else
    p.drawLine(a, b);
}

void RetainedImage::ellipse(QPointF centre, double radius, const QPen& pen, std::optional<QRgb> fill) {
  painter(pen, fill).drawEllipse(centre, radius, radius);
}

void RetainedImage::path(const QPainterPath& path, const QPen& pen) {
  painter(pen, std::nullopt).drawPath(path);
}

// For each whole-pixel offset d along an axis, the other offset
// sqrt(r^2 - d^2), in all eight octants. Within an octant the other offset
// changes by at most one pixel per step, so the ring is 8-connected like a
// thin Qt stroke, at a fraction of the cost of stroking a large ellipse. A
// fill paints the pixels whose centres lie inside first, so a filled circle
// has exactly the ring of an unfilled one.
void RetainedImage::thinCircle(QPointF centre, double radius, QRgb color, std::optional<QRgb> fill) {
  closePainter();
  const int w = image_.width(), h = image_.height();
  const double cx = centre.x(), cy = centre.y();
  if (!(radius >= 0) || !std::isfinite(cx) || !std::isfinite(cy)) return;
  if (fill) {
    // Rows and columns are clipped to the image before anything is written:
    // a circle beside or beyond the picture has an empty span there.
    const int top = ClampedIndex(std::floor(cy - radius), 0, h);
    const int bottom = ClampedIndex(std::ceil(cy + radius), -1, h - 1);
    for (int row = top; row <= bottom; ++row) {
      const double dy = row + 0.5 - cy;
      if (dy * dy > radius * radius) continue;
      const double half = std::sqrt(radius * radius - dy * dy);
      const int from = ClampedIndex(std::ceil(cx - half - 0.5), 0, w);
      const int to = ClampedIndex(std::floor(cx + half - 0.5), -1, w - 1);
      if (from > to) continue;
      auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
      std::fill(line + from, line + to + 1, *fill | 0xff000000u);
    }
  }
  // Straight into the pixel buffer: scanLine() would check for sharing on every dot.
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  const QRgb ink = color | 0xff000000u;
  // A point lies in pixel (floor x, floor y); inside the image both are
  // non-negative, where truncation is the floor (and needs no libm call).
  auto plot = [&](double x, double y) {
    if (!(x >= 0 && y >= 0 && x < w && y < h)) return;
    reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride)[static_cast<int>(x)] = ink;
  };
  auto octants = [&](int i) {
    const double d = std::min<double>(i, radius);
    const double e = std::sqrt(std::max(0.0, radius * radius - d * d));
    plot(cx + d, cy + e), plot(cx + d, cy - e), plot(cx - d, cy + e), plot(cx - d, cy - e);
    plot(cx + e, cy + d), plot(cx + e, cy - d), plot(cx - e, cy + d), plot(cx - e, cy - d);
  };
  const double stepsWanted = std::ceil(radius / std::numbers::sqrt2);
  if (stepsWanted <= double(w) + double(h)) {
    const int steps = static_cast<int>(stepsWanted);
    for (int i = 0; i <= steps; ++i) octants(i);
    return;
  }
  // A ring far larger than the image: only offsets d that put one of the
  // eight points inside a row or column of the image can light a pixel
  // (cx +- d within 0..w, cy +- d within 0..h), so just those are walked.
  // The pixels are those of the whole walk, at a cost of the image's size.
  const int steps = ClampedIndex(stepsWanted, 0, std::numeric_limits<int>::max() - 1);
  auto span = [&](double lo, double hi) {
    const int from = ClampedIndex(std::floor(lo), 0, steps + 1);
    const int to = ClampedIndex(std::ceil(hi), -1, steps);
    for (int i = from; i <= to; ++i) octants(i);
  };
  span(-cx - 1, w - cx + 1), span(cx - w - 1, cx + 1), span(-cy - 1, h - cy + 1), span(cy - h - 1, cy + 1);
}

// A disc exactly `width` pixels across: a width x width block of cells,
// centred on the point, keeping the cells whose centres lie within the circle.
namespace {

// Calls plot(row, col) for every pixel of a `width`-pixel dot about the pixel
// position that lies on an image of `size`; false when there is none.
template <class Plot>
bool forDotPixels(QPointF px, int width, QSize size, Plot plot) {
  // A dot wholly outside the image has none (and its origin need not fit an int).
  if (!(std::abs(px.x()) < 1e8 && std::abs(px.y()) < 1e8) || width < 1) return false;
  const QPoint origin = DotOrigin(px, width);
  const double half = width / 2.0;
  bool any = false;
  for (int b = 0; b < width; ++b) {
    const int row = origin.y() + b;
    if (row < 0 || row >= size.height()) continue;
    const double dy = b + 0.5 - half;
    for (int a = 0; a < width; ++a) {
      const int col = origin.x() + a;
      if (col < 0 || col >= size.width()) continue;
      const double dx = a + 0.5 - half;
      if (dx * dx + dy * dy <= half * half + 1e-9) {
        if (!plot(row, col)) return true;
        any = true;
      }
    }
  }
  return any;
}

}  // namespace

bool DotReaches(QPointF px, int width, QSize image) {
  return forDotPixels(px, width, image, [](int, int) { return false; });
}

bool RetainedImage::dot(QPointF px, int width, QRgb color) {
  closePainter();
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  return forDotPixels(px, width, image_.size(), [&](int row, int col) {
    reinterpret_cast<QRgb*>(bits + row * stride)[col] = color;
    return true;
  });
}

std::vector<FillRun> RetainedImage::floodFill(int x, int y, QRgb boundary, QRgb paintColour) {
  std::vector<FillRun> runs;
  const int w = image_.width(), h = image_.height();
  if (x < 0 || y < 0 || x >= w || y >= h) return runs;
  closePainter();
  const QRgb stop = boundary | 0xff000000u;
  // Straight into the pixel buffer: scanLine() would check for sharing on every pixel.
  uchar* const bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  auto pixel = [&](int cx, int cy) -> QRgb& { return reinterpret_cast<QRgb*>(bits + cy * stride)[cx]; };
  if (pixel(x, y) == stop) return runs;

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
  const QRgb paint = paintColour | 0xff000000u;
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
    runs.push_back({cy, l, r});
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
  return runs;
}

}  // namespace canvas
