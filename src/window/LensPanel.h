#pragma once

#include "optics/LensDesign.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSlider;

namespace app {

class Fermat;

// The lens's numbers in a tool window of the main window: the index, both
// face radii (or flat), the thickness and the aperture (or where the faces
// meet), each as a field and a slider. A change is applied at once, and live
// while a slider is dragged; a lens that cannot exist is refused with its
// reason below the fields and changes nothing. It follows the lens in force
// wherever that was set (the Lens menu, a set-up, a lesson).
class LensPanel final : public QWidget {
 public:
  explicit LensPanel(Fermat& window);

  // The fields from the lens in force.
  void catchUp();
  // What the fields say now.
  [[nodiscard]] optics::LensDesign fields() const;
  [[nodiscard]] QString status() const;

  struct Row {
    QDoubleSpinBox* box = nullptr;
    QSlider* slider = nullptr;
    QCheckBox* toggle = nullptr;  // "flat" or "auto"; null for n and thickness
  };
  [[nodiscard]] const Row& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
  static constexpr int kIndex = 0, kFirst = 1, kSecond = 2, kThickness = 3, kAperture = 4;

 private:
  void apply();

  Fermat& window_;
  std::array<Row, 5> rows_;
  QLabel* status_;
  bool following_ = false;
};

}  // namespace app
