#pragma once

#include <QObject>
#include <QPointer>

#include "window/LensPanel.h"

class QAction;
class QActionGroup;

namespace app {

class Fermat;


// The window's Lens menu: the prepared lenses (the one in force checked),
// and "Lens panel…" (Ctrl+L) for any other.
class LensMenu final : public QObject {
 public:
  explicit LensMenu(Fermat& window);

  // Opens the panel (or raises it).
  LensPanel& openPanel();
  [[nodiscard]] LensPanel* panel() const noexcept { return panel_.data(); }
  [[nodiscard]] QActionGroup* presets() const noexcept { return presets_; }

 private:
  void catchUp();
  void place(QWidget& panel) const;

  Fermat& window_;
  QActionGroup* presets_;
  QPointer<LensPanel> panel_;
};

}  // namespace app
