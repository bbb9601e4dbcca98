#include "canvas/PicturePainter.h"

#include "canvas/StrokeRaster.h"

#include "canvas/Form.h"
#include "canvas/HaloText.h"
#include "canvas/OperationPainter.h"

#include <QPainter>

#include <cmath>

namespace canvas {
namespace {

void paintLabel(QPainter& p, const Label& label) {
  const QWidget* w = label.widget();
  if (!w->isVisibleTo(w->parentWidget())) return;
  // As the label draws itself: the caption over a halo, the picture showing
  // through. The font keeps the size it has on the screen, whatever the
  // device's resolution (a printer's 1200 dpi would otherwise make it huge).
  DrawHaloText(p, w->geometry(), w->font(), label.Caption(), w->logicalDpiY());
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

QImage blank(QSize logical, double ratio, PictureBackground background) {
  const bool clear = background == PictureBackground::Transparent;
  QImage image(deviceSize(logical, ratio), clear ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(BackgroundColour(background));
  return image;
}

// The retained image with its background pixels (the window's colour, which
// Cls clears to) given the picture's background instead.
QImage onBackground(const QImage& retained, PictureBackground background) {
  QImage image = retained.convertToFormat(QImage::Format_ARGB32);
  const QRgb to = BackgroundColour(background).rgba();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] | 0xff000000u) == kBackground) row[x] = to;
  }
  return image;
}

}  // namespace

void PaintDrawing(QPainter& p, const Canvas& canvas, bool smooth, PictureBackground background, bool contrast) {
  const lab::DisplayRecord* record = canvas.record();
  if ((!smooth && !contrast) || !record || !record->complete()) {
    if (background == PictureBackground::Window) {
      p.drawImage(QPointF(0, 0), canvas.image());
    } else {
      p.drawImage(QPointF(0, 0), onBackground(canvas.image(), background));
    }
    return;
  }
  if (background != PictureBackground::Transparent) {
    // The whole image at a whole ratio: filled directly, the same pixels.
    QImage* image = DirectImage(p);
    const double scale = p.deviceTransform().m11();
    const QSize size = canvas.pixelSize();
    if (image && scale == std::round(scale) && image->size() == size * static_cast<int>(scale)) {
      FillOpaque(*image, BackgroundColour(background).rgb());
    } else {
      p.fillRect(QRect(QPoint(0, 0), size), BackgroundColour(background));
    }
  }
  OperationPainter(p, contrast).paint(*record);
}

void PaintPicture(QPainter& p, const Form& form, bool smooth, PictureBackground background) {
  p.save();
  p.setClipRect(QRect(QPoint(0, 0), form.canvas.pixelSize()));
  PaintDrawing(p, form.canvas, smooth, background);
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
  QImage image = blank(canvas.pixelSize(), ratio, PictureBackground::Window);
  QPainter p(&image);
  PaintDrawing(p, canvas, smooth);
  return image;
}

void RenderDrawingInto(QImage& image, const Canvas& canvas, double ratio, bool smooth, bool contrast) {
  const QSize device = deviceSize(canvas.pixelSize(), ratio);
  if (image.size() != device || image.format() != QImage::Format_RGB32 || image.isDetached() == false)
    image = QImage(device, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter p(&image);
  PaintDrawing(p, canvas, smooth, PictureBackground::Window, contrast);
}

QImage RenderPicture(const Form& form, double ratio, bool smooth, PictureBackground background) {
  QImage image = blank(form.canvas.pixelSize(), ratio, background);
  QPainter p(&image);
  PaintPicture(p, form, smooth, background);
  return image;
}

}  // namespace canvas
