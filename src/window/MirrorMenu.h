#pragma once

#include <QObject>
#include <QPointer>

#include "window/MirrorPanel.h"

class QAction;
class QActionGroup;

namespace app {

class Fermat;

// The window's Mirror menu: the lens scene ("No mirror") and the prepared
// mirrors, the one in force checked (a mirror that is no preset leaves none
// checked), and "Mirror panel…" (Ctrl+Shift+M) for any other.
class MirrorMenu final : public QObject {
 public:
  explicit MirrorMenu(Fermat& window);
  [[nodiscard]] QActionGroup* choices() const noexcept { return choices_; }
  // Opens the Mirror panel (or raises it).
  MirrorPanel& openPanel();
  [[nodiscard]] MirrorPanel* panel() const noexcept { return panel_.data(); }

 private:
  void catchUp();

  Fermat& window_;
  QActionGroup* choices_;
  QPointer<MirrorPanel> panel_;
  QAction* beam_ = nullptr;
};

}  // namespace app
