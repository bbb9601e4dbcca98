#include "window/Words.h"
#include "window/SetupMenus.h"

#include "canvas/OutputFiles.h"
#include "lab/Lessons.h"
#include "lab/SetupRun.h"
#include "window/Fermat.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>

namespace app {
namespace {

QString filter() { return Tr("window.setup.filter"); }

void saveInteractively(Fermat& w) {
  QString path = QFileDialog::getSaveFileName(&w, Tr("window.setup.save"), QStringLiteral("set-up.json"), filter());
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
  if (const QString e = SaveSetup(w, path); !e.isEmpty()) QMessageBox::warning(&w, Tr("window.setup.save"), e);
}

void openInteractively(Fermat& w) {
  const QString path = QFileDialog::getOpenFileName(&w, Tr("window.setup.open"), QString(), filter());
  if (path.isEmpty()) return;
  const lab::SetupRead read = lab::ReadSetupFile(path.toStdString());
  const std::string e = read.setup ? w.openSetup(*read.setup) : read.error;
  if (e.empty()) return;
  QMessageBox box(QMessageBox::Warning, Tr("window.setup.open"), QString::fromStdString(e), QMessageBox::Ok, &w);
  // The reader's technical words behind "Show Details...", for whoever wants them.
  if (!read.setup && !read.detail.empty()) box.setDetailedText(QString::fromStdString(read.detail));
  box.exec();
}

}  // namespace

QString SetupLink(Fermat& w) {
  return QStringLiteral(FERMAT_LENS_WEB_URL "#") +
         QString::fromStdString(lab::SetupFragment(lab::CurrentSetup(w.lab())));
}

QString SaveSetup(Fermat& w, const QString& path) {
  // Whole or not at all, replacing a file as every output of both programs does.
  const QByteArray bytes = QByteArray::fromStdString(lab::SetupJson(lab::CurrentSetup(w.lab())));
  return QString::fromStdString(canvas::WriteWholeFile(path, bytes));
}

void AddSetupFileEntries(Fermat& w, QMenu& file) {
  QAction* save = file.addAction(QString(), [&w] { saveInteractively(w); });
  Word(save, "window.file.saveSetup");
  save->setObjectName(QStringLiteral("saveSetup"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  QAction* open = file.addAction(QString(), [&w] { openInteractively(w); });
  Word(open, "window.file.openSetup");
  open->setObjectName(QStringLiteral("openSetup"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
}

void AddSetupEditEntries(Fermat& w, QMenu& edit) {
  QAction* link = edit.addAction(QString(),
                                 [&w] { QGuiApplication::clipboard()->setText(SetupLink(w)); });
  Word(link, "window.edit.copyLink");
  link->setObjectName(QStringLiteral("copySetupLink"));
  link->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
}

void AddLessonsMenu(Fermat& w) {
  QMenu* menu = w.menuBar()->addMenu(QString());
  Word(menu, "window.lessons.menu", "title");
  menu->setObjectName(QStringLiteral("lessonsMenu"));
  for (const lab::Lesson& lesson : lab::Lessons()) {
    QAction* a = menu->addAction(QString(), [&w, &lesson] {
      if (const std::string e = w.openLesson(lesson); !e.empty())
        QMessageBox::warning(&w, Tr("window.lessons.title"), QString::fromStdString(e));
    });
    a->setObjectName(QStringLiteral("lesson-") + QString::fromLatin1(lesson.key));
    Word(a, std::string("lesson.") + lesson.key + ".title");
    Word(a, std::string("lesson.") + lesson.key + ".task", "toolTip");
  }
  menu->setToolTipsVisible(true);
  menu->addSeparator();
  QAction* challenge = menu->addAction(QString());
  Word(challenge, "window.lessons.challenge");
  challenge->setObjectName(QStringLiteral("challengeMode"));
  challenge->setCheckable(true);
  QAction* reveal = menu->addAction(QString(), [&w] { (void)w.revealChallenge(); });
  Word(reveal, "window.lessons.reveal");
  reveal->setObjectName(QStringLiteral("reveal"));
  reveal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  reveal->setEnabled(false);
  QObject::connect(challenge, &QAction::toggled, &w, [&w, reveal](bool on) {
    on ? w.startChallenge() : w.stopChallenge();
    reveal->setEnabled(on);
  });
}

}  // namespace app
