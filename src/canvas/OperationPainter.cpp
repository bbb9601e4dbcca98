#include "canvas/OperationPainter.h"

#include "lab/Contrast.h"

#include "canvas/Canvas.h"
#include "canvas/FillShape.h"
#include "canvas/Pen.h"
#include "canvas/RetainedImage.h"
#include "canvas/StrokeRaster.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <thread>
#include <cmath>

namespace canvas {
namespace {

// The retained image's pen, drawn at any resolution: widths in logical
// pixels, the same dash pattern (in units of the width), the same caps.
QPen smoothPen(QRgb color, int width, int style) { return OperationPen(color, width, style, PenDevice::Smooth); }

double pixelCentre(double v) { return std::floor(v) + 0.5; }

// Qt's fast anti-aliased line drawer takes only pens at most one device pixel
// wide; a wider pen goes through the general stroker, many times slower. So
// on a raster device a solid one-pixel pen at scale s is laid as round(s)
// parallel strands one device pixel wide, spaced one device pixel apart,
// together as wide as the pen. Vector devices get the real pen.
struct Strands {
  int count = 0;    // 0: draw with the real pen
  double step = 0;  // logical pixels between strands
  [[nodiscard]] double offset(int k) const { return (k - (count - 1) / 2.0) * step; }
};

Strands strandsFor(QPainter& p, const lab::Op& op) {
  if (op.width > 1 || op.style != 0 || p.paintEngine() == nullptr || p.paintEngine()->type() != QPaintEngine::Raster)
    return {};
  const QTransform& t = p.deviceTransform();
  if (t.m12() != 0 || t.m21() != 0 || t.m11() != t.m22() || t.m11() <= 0) return {};
  const double scale = t.m11();
  const int n = std::max(1, static_cast<int>(std::lround(scale)));
  return {n, 1.0 / scale};
}

QImage* directImageOf(QPainter& p) {
  QPaintDevice* device = p.device();
  if (device == nullptr || device->devType() != QInternal::Image || p.hasClipping()) return nullptr;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32) return nullptr;
  const QTransform& t = p.deviceTransform();
  if (t.type() > QTransform::TxScale || t.m11() != t.m22() || t.m11() <= 0 || t.dx() != 0 || t.dy() != 0)
    return nullptr;
  return image;
}

QPen strandPen(QRgb color) {
  QPen pen{QColor::fromRgb(color), 1};
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

QImage* DirectImage(QPainter& p) { return directImageOf(p); }

QRectF ItemBounds(const lab::Op& op, const lab::Frame& frame, const lab::PixelTrace* trace) {
  const double pad = lab::PenWidth(op.width) + 1.0;
  switch (op.kind) {
    case lab::Op::Kind::Line:
      return QRectF(PixelOf(frame, op.x1, op.y1), PixelOf(frame, op.x2, op.y2))
          .normalized()
          .adjusted(-pad, -pad, pad, pad);
    case lab::Op::Kind::Circle:
    case lab::Op::Kind::Arc: {
      const QPointF c = PixelOf(frame, op.x1, op.y1);
      const double r = std::abs(op.r) * frame.pixelsPerUnit() + pad;
      return {c.x() - r, c.y() - r, 2 * r, 2 * r};
    }
    case lab::Op::Kind::PSet: {
      const QPointF c = PixelOf(frame, op.x1, op.y1);
      return {c.x() - pad, c.y() - pad, 2 * pad, 2 * pad};
    }
    case lab::Op::Kind::FloodFill: {
      const auto* shape = dynamic_cast<const FillShape*>(trace);
      return shape ? QRectF(shape->pixels).adjusted(-1, -1, 1, 1) : QRectF();
    }
    case lab::Op::Kind::Cls: break;
  }
  return {};
}

void OperationPainter::paint(const lab::DisplayRecord& record, std::size_t first) {
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, true);
  const std::vector<lab::Item>& items = record.items();
  std::vector<Stroke> strokes;
  for (std::size_t i = first; i < items.size(); ++i) {
    if (items[i].op.kind == lab::Op::Kind::FloodFill) {
      // Whatever Qt paints comes after the strokes before it.
      flush(strokes);
      paintFill(record, i);
      continue;
    }
    const lab::Frame& frame = record.frame(items[i].frame);
    const std::optional<lab::Op> op = OnImage(contrast_ ? lab::ContrastOp(items[i].op) : items[i].op, frame);
    if (!op) continue;
    if (std::optional<Stroke> s = directStroke(*op, frame, false)) {
      strokes.push_back(*s);
      continue;
    }
    flush(strokes);
    paintItem(*op, frame, false);
  }
  flush(strokes);
  p_.restore();
}

std::optional<OperationPainter::Stroke> OperationPainter::directStroke(const lab::Op& op, const lab::Frame& frame,
                                                                       bool strokeOnly) {
  if (op.style != 0 || !(op.kind == lab::Op::Kind::Line || op.kind == lab::Op::Kind::Circle)) return std::nullopt;
  if (DirectImage(p_) == nullptr) return std::nullopt;
  const double scale = p_.deviceTransform().m11();
  if (op.kind == lab::Op::Kind::Circle) {
    // A filled disc is Qt's to fill first.
    if (op.fill && !strokeOnly) return std::nullopt;
    const QPointF c = PixelOf(frame, op.x1, op.y1);
    const double r = std::abs(op.r) * frame.pixelsPerUnit();
    return Stroke{.ring = true, .a = c * scale, .size = r * scale, .width = lab::PenWidth(op.width) * scale,
                  .color = op.color};
  }
  if (op.width > 1) return std::nullopt;  // wider pens keep their round caps through Qt
  QPointF a = PixelOf(frame, op.x1, op.y1), b = PixelOf(frame, op.x2, op.y2);
  if (a == b) return std::nullopt;
  // Through the centres of the one row or column the line lit.
  if (a.y() == b.y()) a.ry() = b.ry() = pixelCentre(a.y());
  if (a.x() == b.x()) a.rx() = b.rx() = pixelCentre(a.x());
  return Stroke{.ring = false, .a = a * scale, .b = b * scale, .size = scale, .color = op.color};
}

void OperationPainter::blendStroke(QImage& image, const Stroke& s, RowBand band) {
  if (s.ring) {
    BlendRing(image, s.a, s.size, s.width, s.color, band);
  } else {
    BlendLine(image, s.a, s.b, s.size, s.color, band);
  }
}

void OperationPainter::flush(std::vector<Stroke>& strokes) {
  if (strokes.empty()) return;
  QImage* image = DirectImage(p_);
  // Worth a second thread only for a long run on a large image (a thread
  // costs some tens of microseconds to start).
  constexpr std::size_t kThreadedStrokes = 64;
  const int rows = image->height();
  if (strokes.size() < kThreadedStrokes || rows < 256) {
    for (const Stroke& s : strokes) blendStroke(*image, s, {});
  } else {
    // Each band takes every stroke in order, writing only its own rows.
    const int middle = rows / 2;
    std::thread upper([&] {
      for (const Stroke& s : strokes) blendStroke(*image, s, {0, middle});
    });
    for (const Stroke& s : strokes) blendStroke(*image, s, {middle, rows});
    upper.join();
  }
  strokes.clear();
}

void OperationPainter::paintFill(const lab::DisplayRecord& record, std::size_t index) {
  const auto* traced = dynamic_cast<const FillShape*>(record.items()[index].trace.get());
  if (!traced) return;  // a fill without pixels behind it has no shape here
  const FillShape& shape = *traced;
  p_.fillPath(shape.path, QColor::fromRgb(shape.color));
  // The fill stopped at pixels of the boundary colour, so what was drawn in
  // that colour before it stays on top of it.
  const QRectF reach = QRectF(shape.pixels).adjusted(-2, -2, 2, 2);
  for (std::size_t j = 0; j < index; ++j) {
    const lab::Item& item = record.items()[j];
    if (item.op.kind == lab::Op::Kind::FloodFill || (item.op.color | 0xff000000u) != shape.boundary) continue;
    const lab::Frame& frame = record.frame(item.frame);
    const std::optional<lab::Op> op = OnImage(contrast_ ? lab::ContrastOp(item.op) : item.op, frame);
    if (op && ItemBounds(*op, frame).intersects(reach)) paintItem(*op, frame, true);
  }
}

void OperationPainter::paintItem(const lab::Op& op, const lab::Frame& frame, bool strokeOnly) {
  switch (op.kind) {
    case lab::Op::Kind::Line: {
      QPointF a = PixelOf(frame, op.x1, op.y1), b = PixelOf(frame, op.x2, op.y2);
      if (op.width <= 1) {
        if (a == b) {
          p_.fillRect(QRectF(std::floor(a.x()), std::floor(a.y()), 1, 1), QColor::fromRgb(op.color));
          return;
        }
        // Through the centres of the one row or column the line lit.
        if (a.y() == b.y()) a.ry() = b.ry() = pixelCentre(a.y());
        if (a.x() == b.x()) a.rx() = b.rx() = pixelCentre(a.x());
      }
      // Wider pens keep their round caps through Qt.
      if (const std::optional<Stroke> s = directStroke(op, frame, strokeOnly)) {
        blendStroke(*DirectImage(p_), *s, {});
        return;
      }
      p_.setPen(smoothPen(op.color, op.width, op.style));
      p_.drawLine(a, b);
      return;
    }
    case lab::Op::Kind::Circle: {
      const QPointF c = PixelOf(frame, op.x1, op.y1);
      const double r = std::abs(op.r) * frame.pixelsPerUnit();
      const QBrush brush = op.fill && !strokeOnly ? QBrush(QColor::fromRgb(*op.fill)) : QBrush(Qt::NoBrush);
      QImage* image = op.style == 0 ? DirectImage(p_) : nullptr;
      if (const Strands s = strandsFor(p_, op); s.count > 0 || image) {
        if (brush.style() != Qt::NoBrush) {
          p_.setPen(Qt::NoPen);
          p_.setBrush(brush);
          p_.drawEllipse(c, r, r);
        }
        if (image) {
          const double scale = p_.deviceTransform().m11();
          BlendRing(*image, c * scale, r * scale, lab::PenWidth(op.width) * scale, op.color);
          return;
        }
        p_.setPen(strandPen(op.color));
        p_.setBrush(Qt::NoBrush);
        for (int k = 0; k < s.count; ++k) {
          const double rk = std::max(0.0, r + s.offset(k));
          p_.drawEllipse(c, rk, rk);
        }
        return;
      }
      p_.setPen(smoothPen(op.color, op.width, op.style));
      p_.setBrush(brush);
      p_.drawEllipse(c, r, r);
      return;
    }
    case lab::Op::Kind::Arc: {
      const QPointF c = PixelOf(frame, op.x1, op.y1);
      const double r = std::abs(op.r) * frame.pixelsPerUnit();
      p_.setBrush(Qt::NoBrush);
      if (const Strands s = strandsFor(p_, op); s.count > 0) {
        p_.setPen(strandPen(op.color));
        for (int k = 0; k < s.count; ++k) p_.drawPath(ArcPath(c, std::max(0.0, r + s.offset(k)), op.start, op.end));
        return;
      }
      p_.setPen(smoothPen(op.color, op.width, op.style));
      p_.drawPath(ArcPath(c, r, op.start, op.end));
      return;
    }
    case lab::Op::Kind::PSet: {
      const int w = lab::PenWidth(op.width);
      const QPoint origin = DotOrigin(PixelOf(frame, op.x1, op.y1), w);
      if (w <= 2) {
        // One or two pixels across: the disc is the whole square.
        p_.fillRect(QRect(origin, QSize(w, w)), QColor::fromRgb(op.color));
        return;
      }
      p_.setPen(Qt::NoPen);
      p_.setBrush(QColor::fromRgb(op.color));
      p_.drawEllipse(QRectF(origin, QSizeF(w, w)));
      return;
    }
    case lab::Op::Kind::FloodFill:
    case lab::Op::Kind::Cls: return;
  }
}

}  // namespace canvas
