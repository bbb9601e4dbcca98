#include "canvas/DrawingCache.h"

#include "canvas/Canvas.h"
#include "canvas/OperationPainter.h"
#include "canvas/PicturePainter.h"

#include <QPainter>

namespace canvas {

const QImage& DrawingCache::update(const Canvas& canvas, double ratio, bool smooth) {
  const DisplayList& list = canvas.displayList();
  const bool same = !image_.isNull() && ratio_ == ratio && smooth_ == smooth;
  if (same && revision_ == list.revision()) return image_;
  if (same && smooth && list.complete() && generation_ == list.generation() && painted_ <= list.items().size()) {
    QPainter p(&image_);
    OperationPainter(p).paint(list, painted_);
  } else {
    RenderDrawingInto(image_, canvas, ratio, smooth);
  }
  ratio_ = ratio;
  smooth_ = smooth;
  generation_ = list.generation();
  revision_ = list.revision();
  painted_ = list.items().size();
  return image_;
}

}  // namespace canvas
