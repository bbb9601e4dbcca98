#include "window/LiveMenus.h"

#include "lab/ViewTexts.h"
#include "window/Fermat.h"

#include "window/HelpTexts.h"
#include "window/LiveLab.h"
#include "window/MenuBar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalBlocker>

namespace app {

void AddLiveMenus(QMainWindow& window, LiveLab& lab) {
  QMenu* view = ViewMenuOf(window);
  QAction* live = view->addAction(QStringLiteral("Live while dragging"));
  live->setCheckable(true);
  live->setChecked(lab.live());
  QObject::connect(live, &QAction::toggled, &lab, [&lab](bool on) { lab.setLive(on); });
  lab.liveChanged = [live](bool on) {
    const QSignalBlocker quiet(live);
    live->setChecked(on);
  };

  // Words beside the picture on what it shows (the source in the glass, a
  // lens under the buttons); off, the window shows the picture alone.
  QAction* hints = view->addAction(QStringLiteral("Hints beside the picture"));
  hints->setObjectName(QStringLiteral("sceneHints"));
  hints->setCheckable(true);
  hints->setChecked(true);
  QObject::connect(hints, &QAction::toggled, &lab, [&window] {
    if (auto* w = dynamic_cast<Fermat*>(&window)) w->catchUp();
  });

  // In the mirror scene, after "position by Fermat": the ellipse through
  // each stationary point, over the picture.
  QAction* why = view->addAction(QString::fromUtf8(lab::Texts().mirrorWhy));
  why->setObjectName(QStringLiteral("mirrorWhy"));
  why->setCheckable(true);
  why->setChecked(true);
  QObject::connect(why, &QAction::toggled, &lab, [&window] {
    if (auto* w = dynamic_cast<Fermat*>(&window)) w->catchUp();
  });

  QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
  auto show = [&window](const QString& title, QString (*text)()) {
    QMessageBox box(QMessageBox::NoIcon, title, text(), QMessageBox::Ok, &window);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
  };
  QAction* guide =
      help->addAction(QStringLiteral("&Guide"), &window, [show] { show(QStringLiteral("Guide"), GuideText); });
  guide->setShortcut(QKeySequence::HelpContents);
  guide->setObjectName(QStringLiteral("guide"));
  help->addAction(QStringLiteral("&Keys"), &window, [show] { show(QStringLiteral("Keys"), KeysTable); })
      ->setObjectName(QStringLiteral("keys"));
  help->addAction(QStringLiteral("&About fermat-lens"), &window,
                  [show] { show(QStringLiteral("About fermat-lens"), AboutText); })
      ->setObjectName(QStringLiteral("about"));
}

}  // namespace app
