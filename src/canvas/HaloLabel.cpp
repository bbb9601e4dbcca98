#include "canvas/HaloLabel.h"

#include "canvas/HaloText.h"

#include <QPainter>

namespace canvas {

HaloLabel::HaloLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
}

void HaloLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawHaloText(p, contentsRect(), font(), text(), logicalDpiY());
}

}  // namespace canvas
