#include "canvas/Shape.h"

#include <QPainter>
#include <QWidget>

namespace canvas {
namespace {

class CircleWidget final : public QWidget {
 public:
  CircleWidget(QWidget* parent, QRgb fill) : QWidget(parent), fill_(fill) {
    // Its mouse input is the canvas's: the form takes it from here, also where
    // the marker lies over a control (see Form).
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor::fromRgb(fill_));
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
  }

 private:
  QRgb fill_;
};

}  // namespace

Shape::Shape(QWidget* parent, QRectF designTwips, QRgb fill)
    : Control(new CircleWidget(parent, fill), designTwips), fill_(fill) {}

}  // namespace canvas
