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
  const char* filter;
  const char* extension;
  int scale;
};
constexpr std::array<ExportChoice, 5> kExportChoices{{
    {"PNG image, screen size (*.png)", "png", 1},
    {"PNG image, twice the size (*.png)", "png", 2},
    {"PNG image, four times the size (*.png)", "png", 4},
    {"SVG drawing (*.svg)", "svg", 1},
    {"PDF document (*.pdf)", "pdf", 1},
}};

struct BackgroundChoice {
  const char* text;
  canvas::PictureBackground background;
};
constexpr std::array<BackgroundChoice, 3> kBackgroundChoices{{
    {"&White", canvas::PictureBackground::White},
    {"&Transparent (PNG, SVG)", canvas::PictureBackground::Transparent},
    {"Window &colour", canvas::PictureBackground::Window},
}};
const QString kBackgroundGroup = QStringLiteral("pictureBackground");

void addBackgroundMenu(Fermat& w, QMenu& file) {
  QMenu* menu = file.addMenu(QStringLiteral("Picture &background"));
  auto* group = new QActionGroup(&w);
  group->setObjectName(kBackgroundGroup);
  for (const BackgroundChoice& c : kBackgroundChoices) {
    QAction* a = menu->addAction(QString::fromUtf8(c.text));
    a->setCheckable(true);
    a->setData(static_cast<int>(c.background));
    a->setChecked(c.background == canvas::PictureBackground::White);
    group->addAction(a);
  }
  // Off by default: the picture is then exactly the window's.
  QAction* caption = file.addAction(QStringLiteral("Caption with the lens and lesson"));
  caption->setObjectName(QStringLiteral("pictureCaption"));
  caption->setCheckable(true);
  caption->setStatusTip(QStringLiteral("Exports and prints get a line below the picture naming the lens and the lesson"));
}

void exportPicture(Fermat& w) {
  QStringList filters;
  for (const ExportChoice& c : kExportChoices) filters << QString::fromLatin1(c.filter);
  QString chosen;
  QString path = QFileDialog::getSaveFileName(&w, QStringLiteral("Export picture"), QStringLiteral("fermat.png"),
                                              filters.join(QStringLiteral(";;")), &chosen);
  if (path.isEmpty()) return;
  const ExportChoice* choice = &kExportChoices[0];
  for (const ExportChoice& c : kExportChoices)
    if (chosen == QString::fromLatin1(c.filter)) choice = &c;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + QString::fromLatin1(choice->extension);
  // The name's extension decides the format; the filter only the PNG scale.
  const int scale = PictureFormatOf(path) == PictureFormat::Png && QFileInfo(path).suffix().compare(
                                                                       QLatin1String(choice->extension),
                                                                       Qt::CaseInsensitive) == 0
                        ? choice->scale
                        : 1;
  if (const std::string e = ExportPicture(w.form(), path, scale, ChosenBackground(w), w.lensNote(), ChosenCaption(w));
      !e.empty())
    QMessageBox::warning(&w, QStringLiteral("Export picture"), QString::fromStdString(e));
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
  QMenu* view = window.menuBar()->addMenu(QStringLiteral("&View"));
  view->setObjectName(name);
  return view;
}

void InstallMenus(Fermat& w) {
  QMenuBar* bar = w.menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  QAction* exportAction = file->addAction(QStringLiteral("&Export picture…"), [&w] { exportPicture(w); });
  exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  exportAction->setObjectName(QStringLiteral("exportPicture"));
  QAction* print = file->addAction(QStringLiteral("&Print…"), [&w] { printPicture(w); });
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  print->setObjectName(QStringLiteral("printPicture"));
  addBackgroundMenu(w, *file);
  file->addSeparator();
  AddSetupFileEntries(w, *file);
  file->addSeparator();
  // A lesson's or the teacher's lens stays: the Lens menu's standard lens goes back to it.
  QAction* reset = file->addAction(QStringLiteral("&Reset (the lens stays)"), [&w] { w.reset(); });
  reset->setStatusTip(QStringLiteral("Markers, bars, labels and picture as at start-up, with the lens in force"));
  reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  reset->setObjectName(QStringLiteral("reset"));
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("&Quit"), &w, &QWidget::close);
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setObjectName(QStringLiteral("quit"));

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  QAction* copy = edit->addAction(QStringLiteral("&Copy picture"), [&w] { copyPicture(w); });
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  copy->setObjectName(QStringLiteral("copyPicture"));
  AddSetupEditEntries(w, *edit);

  QMenu* view = ViewMenuOf(w);
  QAction* smooth = view->addAction(QStringLiteral("&Smooth drawing"));
  smooth->setCheckable(true);
  smooth->setChecked(w.form().smooth());
  smooth->setObjectName(QStringLiteral("smoothDrawing"));
  QObject::connect(smooth, &QAction::toggled, &w, [&w](bool on) { w.form().setSmooth(on); });
}

}  // namespace app
