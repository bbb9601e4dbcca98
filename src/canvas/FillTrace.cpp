#include "canvas/FillShape.h"
#include "canvas/RetainedImage.h"

#include <QPolygonF>

#include <algorithm>
#include <climits>

namespace canvas {

// The fill's pixels grown by their 4-neighbours (the walls that stopped the
// fill, or the image's edge) form a mask; over each 2 x 2 block of mask
// pixels, the square between their centres is inside when all four are set,
// the triangle of the three set ones when three are. The union of these is the
// polygon through the outer pixel centres.
std::shared_ptr<const FillShape> TraceFill(const std::vector<FillRun>& runs, QRgb color, QRgb boundary) {
  if (runs.empty()) return nullptr;
  int top = INT_MAX, bottom = INT_MIN, left = INT_MAX, right = INT_MIN;
  for (const FillRun& r : runs) {
    top = std::min(top, r.row), bottom = std::max(bottom, r.row);
    left = std::min(left, r.left), right = std::max(right, r.right);
  }
  // Mask coordinates: pixel (left - 1, top - 1) is mask (0, 0).
  const int ox = left - 1, oy = top - 1;
  const int w = right - left + 3, h = bottom - top + 3;
  std::vector<std::uint8_t> filled(static_cast<std::size_t>(w) * h, 0), grown(filled.size(), 0);
  auto at = [w](std::vector<std::uint8_t>& m, int x, int y) -> std::uint8_t& {
    return m[static_cast<std::size_t>(y) * w + x];
  };
  for (const FillRun& r : runs)
    for (int x = r.left; x <= r.right; ++x) at(filled, x - ox, r.row - oy) = 1;
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x)
      if (at(filled, x, y))
        at(grown, x, y) = at(grown, x - 1, y) = at(grown, x + 1, y) = at(grown, x, y - 1) = at(grown, x, y + 1) = 1;

  auto shape = std::make_shared<FillShape>();
  shape->color = color;
  shape->boundary = boundary;
  shape->pixels = QRect(QPoint(left, top), QPoint(right, bottom));
  QPainterPath& path = shape->path;
  path.setFillRule(Qt::WindingFill);
  auto centre = [&](int x, int y) { return QPointF(ox + x + 0.5, oy + y + 0.5); };
  for (int y = 0; y + 1 < h; ++y) {
    int runStart = -1;  // first cell of a row of full cells
    for (int x = 0; x + 1 < w; ++x) {
      const bool a = at(grown, x, y), b = at(grown, x + 1, y), c = at(grown, x, y + 1), d = at(grown, x + 1, y + 1);
      const int n = a + b + c + d;
      if (n == 4) {
        if (runStart < 0) runStart = x;
        continue;
      }
      if (runStart >= 0) {
        path.addRect(QRectF(centre(runStart, y), centre(x, y + 1)));
        runStart = -1;
      }
      if (n != 3) continue;
      QPolygonF tri;
      // The three set corners in order about the block, so every triangle turns the same way.
      if (a) tri << centre(x, y);
      if (b) tri << centre(x + 1, y);
      if (d) tri << centre(x + 1, y + 1);
      if (c) tri << centre(x, y + 1);
      tri << tri.front();
      path.addPolygon(tri);
      path.closeSubpath();
    }
    if (runStart >= 0) path.addRect(QRectF(centre(runStart, y), centre(w - 1, y + 1)));
  }
  return shape;
}

}  // namespace canvas
