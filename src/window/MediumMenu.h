#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include <string>

class QAction;
class QActionGroup;

namespace app {

class Fermat;

// The window's Medium menu: the lens scene ("No medium") and the prepared
// media, the one in force checked; the index shading's switch; and
// "Medium panel…" (Ctrl+Shift+N), where any medium is typed as the command
// line spells it, the lab's summary or refusal shown under it.
class MediumMenu final : public QObject {
 public:
  explicit MediumMenu(Fermat& window);
  [[nodiscard]] QActionGroup* choices() const noexcept { return choices_; }
  // Opens the Medium panel (or raises it).
  QDialog& openPanel();
  [[nodiscard]] QDialog* panel() const noexcept { return panel_.data(); }
  // The panel's text taken, as its Enter takes it: the refusal, empty when taken.
  std::string takeText(const QString& text);

 private:
  void catchUp();

  Fermat& window_;
  QActionGroup* choices_;
  QAction* shading_ = nullptr;
  QPointer<QDialog> panel_;
  QPointer<QLineEdit> field_;
  QPointer<QLabel> said_;
};

}  // namespace app
