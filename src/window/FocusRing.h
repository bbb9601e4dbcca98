#pragma once

#include <QWidget>

namespace app {

// A thin dotted ring around the active marker, a widget of its own above the
// markers: it is never drawn into the canvas's retained image, so the picture
// stays exactly what the drawing procedures made it. Mouse input passes through.
class FocusRing final : public QWidget {
 public:
  explicit FocusRing(QWidget* parent);

  // Places the ring around the marker's widget.
  void follow(const QWidget& marker);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace app
