#include "window/Words.h"
#include "window/LensMenu.h"

#include "window/Fermat.h"
#include "window/LensPanel.h"

#include "canvas/Form.h"

#include <QScreen>

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QMessageBox>

namespace app {

LensMenu::LensMenu(Fermat& window) : QObject(&window), window_(window), presets_(new QActionGroup(this)) {
  QMenu* menu = window.menuBar()->addMenu(QString());
  Word(menu, "window.lens.menu", "title");
  menu->setObjectName(QStringLiteral("lensMenu"));
  const auto presets = optics::LensPresets();
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const optics::LensPreset& p = presets[i];
    QAction* a = Word(menu->addAction(QString()), std::string("preset.lens.") + p.key);
    a->setObjectName(QStringLiteral("lens-") + QString::fromLatin1(p.key));
    a->setCheckable(true);
    presets_->addAction(a);
    connect(a, &QAction::triggered, this, [this, &p] {
      if (const std::string e = window_.setLens(p.design); !e.empty()) {
        QMessageBox::warning(&window_, Tr("window.lens.title"), QString::fromStdString(e));
      }
      // Chosen again, the lens in force stays checked.
      catchUp();
    });
  }
  menu->addSeparator();
  QAction* panel = menu->addAction(QString(), [this] { openPanel(); });
  Word(panel, "window.lens.panel");
  panel->setObjectName(QStringLiteral("lensPanel"));
  panel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  window.addLensFollower([this] { catchUp(); });
  catchUp();
}

LensPanel& LensMenu::openPanel() {
  const bool first = !panel_;
  if (!panel_) {
    panel_ = new LensPanel(window_);
    panel_->setAttribute(Qt::WA_DeleteOnClose);
  }
  panel_->show();
  if (first) place(*panel_);
  panel_->raise();
  panel_->activateWindow();
  return *panel_;
}

void LensMenu::place(QWidget& panel) const {
  // Beside the picture, clear of the menus and the controls: just below the
  // axis, right of the ray-count bar on the left, where the picture holds
  // only the source's side of the lens. On a small screen it stays on it.
  canvas::Form& f = window_.form();
  const QRect bar = f.arithmosaktinon.widget()->geometry();
  const QPoint axis = f.canvas.toPixel(0, 0).toPoint();
  constexpr int kGap = 12;
  QPoint at = f.mapToGlobal(QPoint(bar.right() + kGap, axis.y() + kGap));
  const QSize size = panel.frameGeometry().size().expandedTo(panel.sizeHint());
  if (const QScreen* screen = window_.screen()) {
    const QRect s = screen->availableGeometry();
    at.setX(std::max(s.left(), std::min(at.x(), s.right() - size.width())));
    at.setY(std::max(s.top(), std::min(at.y(), s.bottom() - size.height())));
  }
  panel.move(at);
}

void LensMenu::catchUp() {
  // A lens of the panel's own that is no preset leaves none checked.
  presets_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const auto presets = optics::LensPresets();
  const QList<QAction*> actions = presets_->actions();
  for (qsizetype i = 0; i < actions.size(); ++i) {
    actions[i]->setChecked(presets[static_cast<std::size_t>(i)].design == window_.lab().lensDesign());
  }
}

}  // namespace app
