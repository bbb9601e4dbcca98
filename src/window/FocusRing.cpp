#include "window/FocusRing.h"

#include <QPainter>

namespace app {
namespace {
constexpr int kMargin = 4;  // pixels between the marker and the ring
}

FocusRing::FocusRing(QWidget* parent, Shape shape) : QWidget(parent), shape_(shape) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void FocusRing::catchUp(const QWidget& marker) {
  setGeometry(marker.geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
  raise();
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (shape_ == Shape::Ring) {
    p.drawEllipse(r);
  } else {
    p.setPen(QPen(QColor(0, 90, 200), 2, Qt::DotLine));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
  }
}

}  // namespace app
