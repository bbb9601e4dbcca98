#include "window/Words.h"
#include "window/LiveMenus.h"

#include "lab/ViewTexts.h"
#include "window/DescribePanel.h"
#include "window/SoundPlayer.h"
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
  QAction* live = view->addAction(QString());
  Word(live, "window.view.live");
  live->setCheckable(true);
  live->setChecked(lab.live());
  QObject::connect(live, &QAction::toggled, &lab, [&lab](bool on) { lab.setLive(on); });
  lab.liveChanged = [live](bool on) {
    const QSignalBlocker quiet(live);
    live->setChecked(on);
  };

  // The high-contrast theme: off until chosen, the program's own picture.
  QAction* contrast = Word(view->addAction(QString()), "window.view.contrast");
  contrast->setObjectName(QStringLiteral("highContrast"));
  contrast->setCheckable(true);
  QObject::connect(contrast, &QAction::toggled, &lab, [&window](bool on) {
    if (auto* w = dynamic_cast<Fermat*>(&window)) w->form().setHighContrast(on);
  });

  // Hearing the least time: off until chosen, as the window always was.
  QAction* sound = Word(view->addAction(QString()), "window.view.sound");
  sound->setObjectName(QStringLiteral("sound"));
  sound->setCheckable(true);
  QObject::connect(sound, &QAction::toggled, &lab, [&window](bool on) {
    if (auto* w = dynamic_cast<Fermat*>(&window)) w->sound().setOn(on, w->lab());
  });

  // Words beside the picture on what it shows (the source in the glass, a
  // lens under the buttons); off, the window shows the picture alone.
  QAction* hints = view->addAction(QString());
  Word(hints, "window.view.hints");
  hints->setObjectName(QStringLiteral("sceneHints"));
  hints->setCheckable(true);
  hints->setChecked(true);
  QObject::connect(hints, &QAction::toggled, &lab, [&window] {
    if (auto* w = dynamic_cast<Fermat*>(&window)) w->catchUp();
  });

  // In the mirror scene, after "position by Fermat": the ellipse through
  // each stationary point, over the picture.
  QAction* why = Word(view->addAction(QString()), "view.mirrorWhy");
  why->setObjectName(QStringLiteral("mirrorWhy"));
  why->setCheckable(true);
  why->setChecked(true);
  QObject::connect(why, &QAction::toggled, &lab, [&window] {
    if (auto* w = dynamic_cast<Fermat*>(&window)) w->catchUp();
  });

  QMenu* help = window.menuBar()->addMenu(QString());
  Word(help, "window.help.menu", "title");
  auto show = [&window](const char* title, QString (*text)()) {
    QMessageBox box(QMessageBox::NoIcon, Tr(title), text(), QMessageBox::Ok, &window);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
  };
  QAction* guide = Word(help->addAction(QString(), &window, [show] { show("window.help.guideTitle", GuideText); }),
                        "window.help.guide");
  guide->setShortcut(QKeySequence::HelpContents);
  guide->setObjectName(QStringLiteral("guide"));
  Word(help->addAction(QString(), &window, [show] { show("window.help.keysTitle", KeysTable); }), "window.help.keys")
      ->setObjectName(QStringLiteral("keys"));
  QAction* describe = Word(help->addAction(QString(), &window,
                                          [&window] {
                                            if (auto* w = dynamic_cast<Fermat*>(&window))
                                              w->describePanel().describeWhole(w->lab());
                                          }),
                           "window.help.describe");
  describe->setObjectName(QStringLiteral("describe"));
  describe->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  Word(help->addAction(QString(), &window, [show] { show("window.help.aboutTitle", AboutText); }),
       "window.help.about")
      ->setObjectName(QStringLiteral("about"));
}

}  // namespace app
