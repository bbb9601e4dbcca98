#pragma once

#include <QWidget>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace app {

class Fermat;

// Any mirror, in a tool window of the main window: its kind (or none, the
// lens), then the numbers that kind has (lab::MirrorPanelRows), each a field
// taken when its editing finishes. A mirror that cannot exist is refused with
// its reason below the fields and changes nothing. It follows the mirror in
// force wherever that was set (the Mirror menu, a set-up, a lesson).
class MirrorPanel final : public QWidget {
 public:
  explicit MirrorPanel(Fermat& window);

  // The kind and fields from the mirror in force.
  void catchUp();
  [[nodiscard]] QString status() const;
  // The field of that key (r, f, f1x, ..., aperture), null when the kind has none.
  [[nodiscard]] QLineEdit* field(const char* key) const;
  [[nodiscard]] QComboBox* kind() const noexcept { return kind_; }

 private:
  void takeKind(int index);
  void takeField(const char* key, QLineEdit* edit);
  void rebuild();

  Fermat& window_;
  QComboBox* kind_;
  QFormLayout* form_;
  QLabel* status_;
  int shownKind_ = -2;  // the combo's index the fields were made for
};

}  // namespace app
