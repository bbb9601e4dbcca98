#include "app/LiveMenus.h"

#include "app/KeyboardControl.h"
#include "app/LiveLab.h"
#include "app/MenuBar.h"

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

  QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* keys = help->addAction(QStringLiteral("Keys"));
  QObject::connect(keys, &QAction::triggered, &window,
                   [&window] { QMessageBox::information(&window, QStringLiteral("Keys"), KeysHelp()); });
}

}  // namespace app
