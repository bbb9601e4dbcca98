#pragma once

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRgb>
#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPainterPath;

namespace canvas {

// One row of pixels painted by a flood fill, columns left..right inclusive.
struct FillRun {
  int row = 0, left = 0, right = 0;
};

// Full circles of a one-pixel solid pen are plotted by hand (ThinCircle);
// every other circle goes through Qt's aliased stroker.
[[nodiscard]] constexpr bool IsThinCircle(int width, int style) noexcept {
  return width <= 1 && style == 0;
}
// Where a PSet dot of `width` pixels about the pixel position `px` lands: the
// top-left cell of its width x width block. Its centre is that plus width/2.
[[nodiscard]] QPoint DotOrigin(QPointF px, int width);
// Whether a dot of `width` pixels about the pixel position has a pixel on an
// image of that size (what RetainedImage::dot would write).
[[nodiscard]] bool DotReaches(QPointF px, int width, QSize image);

// The arc about `centre` (pixel position) counterclockwise on the screen from
// start to end (radians), through angle 0 when end < start.
[[nodiscard]] QPainterPath ArcPath(QPointF centre, double radius, double start, double end);

// The retained image of the client area in logical pixels and the pixel
// operations on it. This image is the authority for everything measured in
// pixels: the flood fill reads its walls here, dots and pen widths are counted
// here. A pixel position (x, y) lies in pixel (floor x, floor y), as it does
// for Qt's aliased stroker.
class RetainedImage {
 public:
  explicit RetainedImage(QSize pixels, QRgb background);
  ~RetainedImage();
  RetainedImage(RetainedImage&&) noexcept = default;
  RetainedImage& operator=(RetainedImage&&) noexcept = default;

  [[nodiscard]] const QImage& image() const;
  [[nodiscard]] QSize size() const noexcept { return image_.size(); }

  void clear(QRgb background);
  // Takes an earlier copy of the image back (the same size).
  void assign(const QImage& image);
  // Aliased strokes through Qt; a == b draws one point. A one-pixel solid
  // line is plotted by hand, pixel for pixel as Qt plots it (PlotThinLine).
  void line(QPointF a, QPointF b, const QPen& pen);
  void ellipse(QPointF centre, double radius, const QPen& pen, std::optional<QRgb> fill);
  void path(const QPainterPath& path, const QPen& pen);
  // A one-pixel 8-connected ring, filled first with `fill` when given.
  void thinCircle(QPointF centre, double radius, QRgb color, std::optional<QRgb> fill);
  // A disc `width` pixels across about the pixel position; false when no pixel of it is inside.
  bool dot(QPointF px, int width, QRgb color);
  // 4-connected fill from (x, y) with `paint` over every pixel not of the
  // boundary colour. The runs it painted; empty when the seed is outside or on
  // the boundary.
  std::vector<FillRun> floodFill(int x, int y, QRgb boundary, QRgb paint);

 private:
  QPainter& painter(const QPen& pen, std::optional<QRgb> brush);
  void closePainter() const;

  // One painter stays open across drawing operations (opening one per
  // operation costs more than a short line); it is closed before the pixels
  // are read or touched directly, except by the hand-plotted thin lines. A move closes the source's painter
  // (declared before the image, so that happens while that image is still
  // whole) and opens none.
  struct PainterSlot {
    std::unique_ptr<QPainter> painter;
    PainterSlot() = default;
    PainterSlot(PainterSlot&& other) noexcept { other.painter.reset(); }
    PainterSlot& operator=(PainterSlot&& other) noexcept {
      painter.reset();
      other.painter.reset();
      return *this;
    }
  };
  mutable PainterSlot painter_;
  QImage image_;
  std::vector<std::uint8_t> fillSeen_;  // the fill's visited mask, one byte a pixel, all zero between fills
};

}  // namespace canvas
