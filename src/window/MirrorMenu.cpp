#include "window/Words.h"
#include "window/MirrorMenu.h"

#include "lab/ViewTexts.h"
#include "window/Fermat.h"
#include "window/MirrorPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QMessageBox>

#include <optional>

namespace app {
namespace {

// What each entry of the menu takes, in the menu's order: none first.
std::optional<optics::MirrorDesign> choiceAt(int i) {
  if (i == 0) return std::nullopt;
  return optics::MirrorPresets()[static_cast<std::size_t>(i - 1)].design;
}

}  // namespace

MirrorMenu::MirrorMenu(Fermat& window) : QObject(&window), window_(window), choices_(new QActionGroup(this)) {
  QMenu* menu = Word(window.menuBar()->addMenu(QString()), "view.mirrorMenu", "title");
  menu->setObjectName(QStringLiteral("mirrorMenu"));
  const auto presets = optics::MirrorPresets();
  const int count = static_cast<int>(presets.size()) + 1;
  for (int i = 0; i < count; ++i) {
    const bool none = i == 0;
    const auto& p = none ? presets[0] : presets[static_cast<std::size_t>(i - 1)];
    QAction* a = Word(menu->addAction(QString()), none ? std::string("view.noMirror") : std::string("preset.mirror.") + p.key);
    a->setObjectName(none ? QStringLiteral("mirror-none") : QStringLiteral("mirror-") + QString::fromLatin1(p.key));
    a->setCheckable(true);
    choices_->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] {
      if (const std::string e = window_.setMirror(choiceAt(i)); !e.empty()) {
        QMessageBox::warning(&window_, Tr("view.mirrorTitle"),
                             QString::fromStdString(e));
      }
      catchUp();
    });
    if (none) menu->addSeparator();
  }
  menu->addSeparator();
  beam_ = Word(menu->addAction(QString()), "view.parallelBeam");
  beam_->setObjectName(QStringLiteral("mirrorParallelBeam"));
  beam_->setCheckable(true);
  connect(beam_, &QAction::triggered, this, [this](bool on) {
    (void)window_.setParallelBeam(on);
    catchUp();
  });
  QAction* panel = Word(menu->addAction(QString(), [this] { openPanel(); }), "view.mirrorPanel");
  panel->setObjectName(QStringLiteral("mirrorPanelAction"));
  panel->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
  window.addLensFollower([this] { catchUp(); });
  catchUp();
}

MirrorPanel& MirrorMenu::openPanel() {
  if (!panel_) {
    panel_ = new MirrorPanel(window_);
    panel_->setAttribute(Qt::WA_DeleteOnClose);
  }
  panel_->show();
  panel_->raise();
  panel_->activateWindow();
  return *panel_;
}

void MirrorMenu::catchUp() {
  choices_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const std::optional<optics::MirrorDesign> now = window_.lab().mirrorDesign();
  const QList<QAction*> actions = choices_->actions();
  for (int i = 0; i < actions.size(); ++i) actions[i]->setChecked(choiceAt(i) == now);
  beam_->setChecked(window_.lab().parallelBeam());
  beam_->setEnabled(now.has_value());
}

}  // namespace app
