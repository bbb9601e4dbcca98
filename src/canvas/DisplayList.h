#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace canvas {

inline constexpr QRgb kBlackRgb = 0xff000000u;

// One drawing operation as the canvas received it, in world units (the flood
// fill in pixels). The log of these is what tests and --trace inspect.
struct CanvasOp {
  enum class Kind { Line, Circle, Arc, PSet, Cls, FloodFill };
  Kind kind = Kind::Cls;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; centre or point in x1, y1
  double r = 0, start = 0, end = 0;       // circle radius, arc angles (radians)
  QRgb color = kBlackRgb;
  int width = 1;
  int style = 0;
  std::optional<QRgb> fill;  // full circles only: the fill colour, or none
};

// A world frame over a client area of `pixels`: (left, top) is the top-left
// corner, width and height the signed world extents, in Single as the frame
// properties are.
struct Frame {
  float left = 0, top = 0, width = 1, height = 1;
  QSize pixels{1, 1};

  // Continuous pixel position of a world point.
  [[nodiscard]] QPointF toPixel(double x, double y) const noexcept {
    return {(x - left) * pixels.width() / width, (y - top) * pixels.height() / height};
  }
  [[nodiscard]] double pixelsPerUnit() const noexcept { return pixels.width() / std::abs(double{width}); }
};

// The region a flood fill painted, as the retained image has it, for drawing
// at any resolution: a polygon through the centres of the painted pixels and
// of the boundary pixels that stopped the fill, so its edge runs inside the
// boundary's stroke, never short of it or beyond it.
struct FillShape {
  QRgb color = kBlackRgb;
  QRgb boundary = kBlackRgb;
  QRect pixels;       // the painted pixels' bounding box
  QPainterPath path;  // in pixel positions of the retained image
};

// One recorded operation: as drawn on the retained image (a line clipped to
// the image's neighbourhood), in the frame `frame` of the list.
struct DisplayItem {
  CanvasOp op;
  int frame = 0;
  std::shared_ptr<const FillShape> fill;  // FloodFill only
};

// The operations drawn since the last Cls, with the world frames they were
// drawn in: enough to draw the picture again at any resolution, on any device.
// It is bounded: past kMaxItems it stops recording and reports itself
// incomplete until the next Cls, and the retained image stands in for it.
class DisplayList {
 public:
  static constexpr std::size_t kMaxItems = 200000;

  explicit DisplayList(const Frame& frame) : frames_{frame} {}

  void setFrame(const Frame& frame);
  void clear();
  void add(const CanvasOp& op, std::shared_ptr<const FillShape> fill = {});
  // Takes the items of an earlier copy back. Counts as a new generation, so
  // no rendering of what the list held in between is taken for it.
  void restore(const DisplayList& saved);

  [[nodiscard]] const std::vector<DisplayItem>& items() const noexcept { return items_; }
  [[nodiscard]] const Frame& frame(int index) const { return frames_.at(static_cast<std::size_t>(index)); }
  [[nodiscard]] const Frame& currentFrame() const noexcept { return frames_.back(); }
  [[nodiscard]] bool complete() const noexcept { return complete_; }
  // Changes with every change of the list (a key for cached renderings).
  [[nodiscard]] std::uint64_t revision() const noexcept { return revision_; }
  // Changes only when items are dropped (Cls, or the bound reached): within
  // one generation the list only grows, so a rendering of its first k items
  // stays a valid start for the rest.
  [[nodiscard]] std::uint64_t generation() const noexcept { return generation_; }

 private:
  std::vector<Frame> frames_;
  std::vector<DisplayItem> items_;
  bool complete_ = true;
  std::uint64_t revision_ = 0;
  std::uint64_t generation_ = 0;
};

// The fill shape of the runs a flood fill painted; null for no runs.
struct FillRun;
[[nodiscard]] std::shared_ptr<const FillShape> TraceFill(const std::vector<FillRun>& runs, QRgb color, QRgb boundary);

}  // namespace canvas
