#pragma once

#include <QObject>

class QActionGroup;

namespace app {

class Fermat;

// The window's Mirror menu: the lens scene ("No mirror") and the prepared
// mirrors, the one in force checked; a mirror of --mirror or of an action
// that is no preset leaves none checked.
class MirrorMenu final : public QObject {
 public:
  explicit MirrorMenu(Fermat& window);
  [[nodiscard]] QActionGroup* choices() const noexcept { return choices_; }

 private:
  void catchUp();

  Fermat& window_;
  QActionGroup* choices_;
};

}  // namespace app
