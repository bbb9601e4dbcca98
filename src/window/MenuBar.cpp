#include "window/Words.h"
#include "window/MenuBar.h"

#include "lab/Lessons.h"

#include "window/Fermat.h"
#include "window/SetupMenus.h"
#include "outputs/PictureExport.h"
#include "canvas/PicturePainter.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <array>

namespace app {
namespace {

// One file-dialog filter per choice; the chosen one gives the PNG scale and
// the extension added to a name without one.
struct ExportChoice {
  const char* filter;  // a catalogue key
  const char* extension;
  int scale;
};
constexpr std::array<ExportChoice, 5> kExportChoices{{
    {"window.export.png1", "png", 1},
    {"window.export.png2", "png", 2},
    {"window.export.png4", "png", 4},
    {"window.export.svg", "svg", 1},
    {"window.export.pdf", "pdf", 1},
}};

struct BackgroundChoice {
  const char* text;  // a catalogue key
  canvas::PictureBackground background;
};
constexpr std::array<BackgroundChoice, 3> kBackgroundChoices{{
    {"window.background.white", canvas::PictureBackground::White},
    {"window.background.transparent", canvas::PictureBackground::Transparent},
    {"window.background.window", canvas::PictureBackground::Window},
}};
const QString kBackgroundGroup = QStringLiteral("pictureBackground");

void addBackgroundMenu(Fermat& w, QMenu& file) {
  QMenu* menu = file.addMenu(QString());
  Word(menu, "window.file.background", "title");
  auto* group = new QActionGroup(&w);
  group->setObjectName(kBackgroundGroup);
  for (const BackgroundChoice& c : kBackgroundChoices) {
    QAction* a = Word(menu->addAction(QString()), c.text);
    a->setCheckable(true);
    a->setData(static_cast<int>(c.background));
    a->setChecked(c.background == canvas::PictureBackground::White);
    group->addAction(a);
  }
  // Off by default: the picture is then exactly the window's.
  QAction* caption = file.addAction(QString());
  Word(caption, "window.file.caption");
  caption->setObjectName(QStringLiteral("pictureCaption"));
  caption->setCheckable(true);
  Word(caption, "window.file.captionTip", "statusTip");
}

void exportPicture(Fermat& w) {
  QStringList filters;
  for (const ExportChoice& c : kExportChoices) filters << Tr(c.filter);
  QString chosen;
  QString path = QFileDialog::getSaveFileName(&w, Tr("window.export.title"), QStringLiteral("fermat.png"),
                                              filters.join(QStringLiteral(";;")), &chosen);
  if (path.isEmpty()) return;
  const ExportChoice* choice = &kExportChoices[0];
  for (const ExportChoice& c : kExportChoices)
    if (chosen == Tr(c.filter)) choice = &c;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + QString::fromLatin1(choice->extension);
  // The name's extension decides the format; the filter only the PNG scale.
  const int scale = PictureFormatOf(path) == PictureFormat::Png && QFileInfo(path).suffix().compare(
                                                                       QLatin1String(choice->extension),
                                                                       Qt::CaseInsensitive) == 0
                        ? choice->scale
                        : 1;
  if (const std::string e = ExportPicture(w.form(), path, scale, ChosenBackground(w), w.lensNote(), ChosenCaption(w));
      !e.empty())
    QMessageBox::warning(&w, Tr("window.export.title"), QString::fromStdString(e));
}

void printPicture(Fermat& w) {
  QPrinter printer(QPrinter::HighResolution);
  PreparePrinter(printer, w.form());
  QPrintDialog dialog(&printer, &w);
  if (dialog.exec() == QDialog::Accepted) PrintPicture(printer, w.form(), ChosenBackground(w), ChosenCaption(w));
}

void copyPicture(Fermat& w) {
  QGuiApplication::clipboard()->setImage(
      canvas::RenderPicture(w.form(), w.form().devicePixelRatioF(), true, ChosenBackground(w)));
}

}  // namespace

QString ChosenCaption(Fermat& window) {
  const auto* caption = window.findChild<QAction*>(QStringLiteral("pictureCaption"));
  if (!caption || !caption->isChecked()) return {};
  return QString::fromStdString(lab::PictureCaption(window.lab()));
}

canvas::PictureBackground ChosenBackground(const QMainWindow& window) {
  const auto* group = window.findChild<QActionGroup*>(kBackgroundGroup);
  const QAction* checked = group ? group->checkedAction() : nullptr;
  return checked ? static_cast<canvas::PictureBackground>(checked->data().toInt()) : canvas::PictureBackground::White;
}

QMenu* ViewMenuOf(QMainWindow& window) {
  const QString name = QStringLiteral("viewMenu");
  if (auto* existing = window.menuBar()->findChild<QMenu*>(name)) return existing;
  QMenu* view = window.menuBar()->addMenu(QString());
  Word(view, "window.view.menu", "title");
  view->setObjectName(name);
  return view;
}

void InstallMenus(Fermat& w) {
  QMenuBar* bar = w.menuBar();
  QMenu* file = bar->addMenu(QString());
  Word(file, "window.file.menu", "title");
  QAction* exportAction = file->addAction(QString(), [&w] { exportPicture(w); });
  Word(exportAction, "window.file.export");
  exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  exportAction->setObjectName(QStringLiteral("exportPicture"));
  QAction* print = file->addAction(QString(), [&w] { printPicture(w); });
  Word(print, "window.file.print");
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  print->setObjectName(QStringLiteral("printPicture"));
  addBackgroundMenu(w, *file);
  file->addSeparator();
  AddSetupFileEntries(w, *file);
  file->addSeparator();
  // A lesson's or the teacher's lens stays: the Lens menu's standard lens goes back to it.
  QAction* reset = file->addAction(QString(), [&w] { w.reset(); });
  Word(reset, "window.file.reset");
  Word(reset, "window.file.resetTip", "statusTip");
  reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  reset->setObjectName(QStringLiteral("reset"));
  file->addSeparator();
  QAction* quit = file->addAction(QString(), &w, &QWidget::close);
  Word(quit, "window.file.quit");
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setObjectName(QStringLiteral("quit"));

  QMenu* edit = bar->addMenu(QString());
  Word(edit, "window.edit.menu", "title");
  QAction* copy = edit->addAction(QString(), [&w] { copyPicture(w); });
  Word(copy, "window.edit.copy");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  copy->setObjectName(QStringLiteral("copyPicture"));
  AddSetupEditEntries(w, *edit);

  QMenu* view = ViewMenuOf(w);
  QAction* smooth = view->addAction(QString());
  Word(smooth, "window.view.smooth");
  smooth->setCheckable(true);
  smooth->setChecked(w.form().smooth());
  smooth->setObjectName(QStringLiteral("smoothDrawing"));
  QObject::connect(smooth, &QAction::toggled, &w, [&w](bool on) { w.form().setSmooth(on); });
}

}  // namespace app
