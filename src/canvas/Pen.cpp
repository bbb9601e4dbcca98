#include "canvas/Pen.h"

namespace canvas {

QPen OperationPen(QRgb color, int width, int style, PenDevice device) {
  const int w = lab::PenWidth(width);
  QPen pen{QColor::fromRgb(color)};
  if (w == 1) {
    if (device == PenDevice::Retained) {
      pen.setWidth(1);
      pen.setCosmetic(true);
    } else {
      pen.setWidthF(1);
    }
    pen.setCapStyle(Qt::FlatCap);
    if (const lab::Dashes d = lab::PenDashes(w, style); d.on > 0) pen.setDashPattern({d.on, d.off});
  } else {
    pen.setWidthF(w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

}  // namespace canvas
