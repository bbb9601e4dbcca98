#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace canvas {

class Canvas;

// The smooth drawing of the lab's record at one device pixel ratio, kept between
// repaints. When the record has only grown since the last update (the
// buttons add to the picture without clearing it), only the new operations
// are painted on top; after a Cls, or at a new ratio, it is drawn afresh.
class DrawingCache {
 public:
  // The drawing as the canvas's record stands now.
  // `contrast`: through the high-contrast theme.
  const QImage& update(const Canvas& canvas, double ratio, bool smooth, bool contrast = false);
  void invalidate() noexcept { image_ = QImage(); }

 private:
  QImage image_;
  double ratio_ = 0;
  bool smooth_ = true;
  bool contrast_ = false;
  std::uint64_t generation_ = 0;
  std::uint64_t revision_ = 0;
  std::size_t painted_ = 0;  // items of the record already in the image
};

}  // namespace canvas
