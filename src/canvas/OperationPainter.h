#pragma once

#include <optional>
#include <vector>

#include "canvas/StrokeRaster.h"
#include "lab/Surface.h"

#include <QRectF>
#include <QRgb>

class QPainter;

namespace canvas {

// Draws the lab's recorded operations onto any QPainter (a widget at its device pixel
// ratio, an image, an SVG or PDF writer, a printer) as vectors, anti-aliased.
// The painter's user coordinates are the retained image's pixel positions;
// the caller scales them to the device.
//
// The mapping keeps the picture on the retained image's pixels: a pixel
// position lies in pixel (floor x, floor y) there, so curves and slopes are
// drawn at their pixel positions, while a one-pixel horizontal or vertical
// line is drawn through the centres of the row or column it lit, which keeps
// it one row of pure colour at any whole ratio. Each operation is painted as
// the retained image drew it (OnImage: a line clipped, what cannot touch the
// image left out). A flood fill is drawn from
// its traced shape, and the boundary-coloured strokes drawn before it, which
// the fill stopped at, are drawn again on top, so the smooth outline covers
// the fill's edge.
class OperationPainter {
 public:
  // `contrast`: through the high-contrast theme's rules (lab::ContrastOp).
  explicit OperationPainter(QPainter& painter, bool contrast = false) : p_(painter), contrast_(contrast) {}

  // Paints items first.. of the list (all by default) in order; painting a
  // list in two parts gives the same pixels as painting it at once.
  void paint(const lab::DisplayRecord& record, std::size_t first = 0);

 private:
  // A one-pixel stroke or ring blended straight into the image.
  struct Stroke {
    bool ring = false;
    QPointF a, b;      // a line's ends; a ring's centre in a (device pixels)
    double size = 0;   // a line's width; a ring's radius (device pixels)
    double width = 0;  // a ring's width (device pixels)
    QRgb color = 0;
  };
  [[nodiscard]] std::optional<Stroke> directStroke(const lab::Op& op, const lab::Frame& frame, bool strokeOnly);
  static void blendStroke(QImage& image, const Stroke& s, RowBand band);
  // Blends the strokes in order; a long run is split into two bands of
  // rows painted at once on two threads.
  void flush(std::vector<Stroke>& strokes);
  void paintItem(const lab::Op& op, const lab::Frame& frame, bool strokeOnly);
  void paintFill(const lab::DisplayRecord& record, std::size_t index);

  QPainter& p_;
  bool contrast_;
};

// The image under the painter when pixels may be written into it directly:
// an opaque 32-bit image, a pure scale, no clip; null otherwise.
[[nodiscard]] QImage* DirectImage(QPainter& p);

// The pixel rectangle an operation (as OnImage gives it) can touch, generous
// for arcs; a fill's is its trace's.
[[nodiscard]] QRectF ItemBounds(const lab::Op& op, const lab::Frame& frame, const lab::PixelTrace* trace = nullptr);

}  // namespace canvas
