#include "canvas/HaloText.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

namespace canvas {
namespace {

const QColor kHalo(255, 255, 255, 220);

// The font whose size in points on `device` gives the pixel size it has at `fontDpi`.
QFont fontFor(const QPaintDevice& device, const QFont& font, double fontDpi) {
  QFont f(font);
  const int deviceDpi = device.logicalDpiY();
  if (deviceDpi > 0 && fontDpi > 0 && font.pointSizeF() > 0) f.setPointSizeF(font.pointSizeF() * fontDpi / deviceDpi);
  return f;
}

}  // namespace

void DrawHaloText(QPainter& p, const QRectF& rect, const QFont& font, const QString& text, double fontDpi) {
  if (text.isEmpty() || p.device() == nullptr) return;
  QTextLayout layout(text, fontFor(*p.device(), font, fontDpi), p.device());
  QTextOption option(Qt::AlignLeft | Qt::AlignTop);
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  for (double y = 0;;) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(rect.width());
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();

  // The halo: every glyph's outline, stroked wide and filled, in layout coordinates.
  QPainterPath outlines;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont raw = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> at = run.positions();
    for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i)
      outlines.addPath(raw.pathForGlyph(glyphs[i]).translated(at[i]));
  }
  p.save();
  p.translate(rect.topLeft());
  p.setRenderHint(QPainter::Antialiasing, true);
  p.strokePath(outlines, QPen(kHalo, kHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.fillPath(outlines, kHalo);
  p.setPen(Qt::black);
  layout.draw(&p, QPointF(0, 0));
  p.restore();
}

}  // namespace canvas
