#pragma once

#include <QWidget>

namespace app {

// A thin dotted ring around the active marker (or box around the scroll bar
// that has the keyboard's focus), a widget of its own above the markers: it is never drawn into the canvas's retained image, so the picture
// stays exactly what the drawing procedures made it. Mouse input passes through.
class FocusRing final : public QWidget {
 public:
  enum class Shape { Ring, Box };
  explicit FocusRing(QWidget* parent, Shape shape = Shape::Ring);

  // Places the ring around the marker's widget.
  void catchUp(const QWidget& marker);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Shape shape_;
};

}  // namespace app
