#include "canvas/PicturePainter.h"

#include "canvas/Form.h"
#include "canvas/OperationPainter.h"

#include <QPainter>

#include <cmath>

namespace canvas {
namespace {

void paintLabel(QPainter& p, const Label& label) {
  const QWidget* w = label.widget();
  if (!w->isVisibleTo(w->parentWidget())) return;
  const QRect r = w->geometry();
  p.fillRect(r, QColor::fromRgb(kBackground));  // labels are opaque in the window
  p.setPen(Qt::black);
  p.setFont(w->font());
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label.Caption());
}

// As the marker widget draws itself: a disc with a black rim inside its rectangle.
void paintShape(QPainter& p, const Shape& shape) {
  const QRectF r = QRectF(shape.widget()->geometry()).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor::fromRgb(shape.fillColor()));
  p.drawEllipse(r);
}

QSize deviceSize(QSize logical, double ratio) {
  return {static_cast<int>(std::ceil(logical.width() * ratio)), static_cast<int>(std::ceil(logical.height() * ratio))};
}

QImage blank(QSize logical, double ratio) {
  QImage image(deviceSize(logical, ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(kBackground);
  return image;
}

}  // namespace

void PaintDrawing(QPainter& p, const Canvas& canvas, bool smooth) {
  const DisplayList& list = canvas.displayList();
  if (!smooth || !list.complete()) {
    p.drawImage(QPointF(0, 0), canvas.image());
    return;
  }
  p.fillRect(QRect(QPoint(0, 0), canvas.pixelSize()), QColor::fromRgb(kBackground));
  OperationPainter(p).paint(list);
}

void PaintPicture(QPainter& p, const Form& form, bool smooth) {
  p.save();
  p.setClipRect(QRect(QPoint(0, 0), form.canvas.pixelSize()));
  PaintDrawing(p, form.canvas, smooth);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  for (const Label* label : {&form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5, &form.Label6})
    paintLabel(p, *label);
  // Stacked as in the window: the entry point above the source, the one a
  // press where they overlap takes.
  paintShape(p, form.kyklos);
  paintShape(p, form.shmeio);
  p.restore();
}

QImage RenderDrawing(const Canvas& canvas, double ratio, bool smooth) {
  QImage image = blank(canvas.pixelSize(), ratio);
  QPainter p(&image);
  PaintDrawing(p, canvas, smooth);
  return image;
}

void RenderDrawingInto(QImage& image, const Canvas& canvas, double ratio, bool smooth) {
  const QSize device = deviceSize(canvas.pixelSize(), ratio);
  if (image.size() != device || image.format() != QImage::Format_RGB32 || image.isDetached() == false)
    image = QImage(device, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter p(&image);
  PaintDrawing(p, canvas, smooth);
}

QImage RenderPicture(const Form& form, double ratio, bool smooth) {
  QImage image = blank(form.canvas.pixelSize(), ratio);
  QPainter p(&image);
  PaintPicture(p, form, smooth);
  return image;
}

}  // namespace canvas
