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

const QString kFilter = QStringLiteral("Set-ups (*.json);;All files (*)");

void saveInteractively(Fermat& w) {
  QString path = QFileDialog::getSaveFileName(&w, QStringLiteral("Save set-up"), QStringLiteral("set-up.json"), kFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
  if (const QString e = SaveSetup(w, path); !e.isEmpty()) QMessageBox::warning(&w, QStringLiteral("Save set-up"), e);
}

void openInteractively(Fermat& w) {
  const QString path = QFileDialog::getOpenFileName(&w, QStringLiteral("Open set-up"), QString(), kFilter);
  if (path.isEmpty()) return;
  const lab::SetupRead read = lab::ReadSetupFile(path.toStdString());
  const std::string e = read.setup ? w.openSetup(*read.setup) : read.error;
  if (e.empty()) return;
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Open set-up"), QString::fromStdString(e), QMessageBox::Ok, &w);
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
  QAction* save = file.addAction(QStringLiteral("Save set-&up…"), [&w] { saveInteractively(w); });
  save->setObjectName(QStringLiteral("saveSetup"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  QAction* open = file.addAction(QStringLiteral("&Open set-up…"), [&w] { openInteractively(w); });
  open->setObjectName(QStringLiteral("openSetup"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
}

void AddSetupEditEntries(Fermat& w, QMenu& edit) {
  QAction* link = edit.addAction(QStringLiteral("Copy set-up &link"),
                                 [&w] { QGuiApplication::clipboard()->setText(SetupLink(w)); });
  link->setObjectName(QStringLiteral("copySetupLink"));
  link->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
}

void AddLessonsMenu(Fermat& w) {
  QMenu* menu = w.menuBar()->addMenu(QStringLiteral("Less&ons"));
  menu->setObjectName(QStringLiteral("lessonsMenu"));
  for (const lab::Lesson& lesson : lab::Lessons()) {
    QAction* a = menu->addAction(QString::fromStdString(lesson.title()), [&w, &lesson] {
      if (const std::string e = w.openLesson(lesson); !e.empty())
        QMessageBox::warning(&w, QStringLiteral("Lessons"), QString::fromStdString(e));
    });
    a->setObjectName(QStringLiteral("lesson-") + QString::fromLatin1(lesson.key));
    a->setToolTip(QString::fromStdString(lesson.task()));
  }
  menu->setToolTipsVisible(true);
  menu->addSeparator();
  QAction* challenge = menu->addAction(QStringLiteral("&Challenge mode"));
  challenge->setObjectName(QStringLiteral("challengeMode"));
  challenge->setCheckable(true);
  QAction* reveal = menu->addAction(QStringLiteral("&Reveal"), [&w] { (void)w.revealChallenge(); });
  reveal->setObjectName(QStringLiteral("reveal"));
  reveal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  reveal->setEnabled(false);
  QObject::connect(challenge, &QAction::toggled, &w, [&w, reveal](bool on) {
    on ? w.startChallenge() : w.stopChallenge();
    reveal->setEnabled(on);
  });
}

}  // namespace app
