#pragma once

#include <QLabel>

namespace canvas {

// A label that paints only its caption, over a light halo (DrawHaloText):
// the picture beneath it shows through.
class HaloLabel final : public QLabel {
 public:
  explicit HaloLabel(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace canvas
