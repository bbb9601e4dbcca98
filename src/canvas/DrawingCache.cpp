#include "canvas/DrawingCache.h"

#include "canvas/Canvas.h"
#include "canvas/OperationPainter.h"
#include "canvas/PicturePainter.h"

#include <QPainter>

namespace canvas {

const QImage& DrawingCache::update(const Canvas& canvas, double ratio, bool smooth, bool contrast) {
  const lab::DisplayRecord* record = canvas.record();
  if (!record) {
    // Nothing recorded to paint from: the retained image as it is.
    RenderDrawingInto(image_, canvas, ratio, smooth, contrast);
    ratio_ = 0;  // no key to keep it by: drawn afresh every time
    return image_;
  }
  const bool same = !image_.isNull() && ratio_ == ratio && smooth_ == smooth && contrast_ == contrast;
  if (same && revision_ == record->revision()) return image_;
  if (same && (smooth || contrast) && record->complete() && generation_ == record->generation() &&
      painted_ <= record->items().size()) {
    QPainter p(&image_);
    OperationPainter(p, contrast).paint(*record, painted_);
  } else {
    RenderDrawingInto(image_, canvas, ratio, smooth, contrast);
  }
  ratio_ = ratio;
  smooth_ = smooth;
  contrast_ = contrast;
  generation_ = record->generation();
  revision_ = record->revision();
  painted_ = record->items().size();
  return image_;
}

}  // namespace canvas
