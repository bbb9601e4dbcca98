#include "text/Language.h"
#include "views/GraphView.h"

#include "views/BundleCharts.h"
#include "views/EqualTimeChart.h"
#include "views/CurveChart.h"

#include "canvas/PictureFile.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace views {
namespace {
constexpr QSize kDefaultSize{720, 540};
}

GraphView::GraphView(QWidget* parent)
    : QWidget(parent, Qt::Window), tabs_(new QTabWidget(this)), curve_(new CurveChart), bundle_(new BundleCharts),
      equalTime_(new EqualTimeChart) {
  setWindowTitle(QString::fromStdString(text::Tr("window.view.travelTime")));
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu(QString::fromStdString(text::Tr("window.file.menu")));
  // Not Ctrl+E: over the main window that reveals the challenge's answer.
  file->addAction(QString::fromStdString(text::Tr("graph.view.export")), QKeySequence(QStringLiteral("Ctrl+Shift+E")), this,
                  [this] { exportInteractively(); });
  file->addAction(QString::fromStdString(text::Tr("graph.view.close")), QKeySequence::Close, this, [this] { close(); });

  tabs_->addTab(curve_, QString::fromStdString(text::Tr("window.view.travelTime")));
  tabs_->addTab(bundle_, QString::fromStdString(text::Tr("graph.view.bundle")));
  tabs_->addTab(equalTime_, QString::fromStdString(text::Tr("graph.view.equalTime")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(bar);
  layout->addWidget(tabs_);
  resize(kDefaultSize);
}

void GraphView::setCurve(const graphs::CurveData& curve) {
  curve_->setCurve(curve);
}

void GraphView::setEqualTime(const graphs::EqualTimeData& equalTime) { equalTime_->setData(equalTime); }

void GraphView::setBundle(const std::vector<graphs::BundleRayRow>& rows, std::optional<double> paraxialX) {
  bundle_->setBundle(rows, paraxialX);
}

QString GraphView::exportPicture(const QString& path) {
  // The tab's charts alone, without the fields that go with them.
  QWidget* tab = tabs_->currentWidget();
  if (auto* charts = tab->findChild<QWidget*>(QStringLiteral("charts"))) tab = charts;
  const canvas::PictureSource picture{
      .size = tab->size(),
      .title = tabs_->tabText(tabs_->currentIndex()),
      .image =
          [tab](int scale) {
            QImage image(tab->size() * scale, QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            tab->render(&image);
            return image;
          },
      .paint = [tab](QPainter& p) { tab->render(&p); }};
  return QString::fromStdString(canvas::WritePictureFile(path, picture));
}

QImage GraphView::snapshot() {
  const int shown = tabs_->currentIndex();
  QList<QPixmap> pages;
  for (int i = 0; i < tabs_->count(); ++i) {
    // Only the visible page is laid out at the tab's size.
    tabs_->setCurrentIndex(i);
    pages.append(tabs_->currentWidget()->grab());
  }
  tabs_->setCurrentIndex(shown);
  int width = 0, height = 0;
  for (const QPixmap& p : pages) {
    width += p.width();
    height = std::max(height, p.height());
  }
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  int x = 0;
  for (const QPixmap& p : pages) {
    painter.drawPixmap(x, 0, p);
    x += p.width();
  }
  return image;
}

QString GraphView::encodeBoth(const QString& path, QByteArray& bytes) {
  // Each tab is laid out at the tab widget's size only while it is shown.
  auto eachTab = [this](const std::function<void(QWidget&, int x)>& use) {
    const int shown = tabs_->currentIndex();
    int x = 0;
    for (int i = 0; i < tabs_->count(); ++i) {
      tabs_->setCurrentIndex(i);
      QWidget& tab = *tabs_->currentWidget();
      use(tab, x);
      x += tab.width();
    }
    tabs_->setCurrentIndex(shown);
  };
  QSize size(0, 0);
  eachTab([&](QWidget& tab, int) { size = QSize(size.width() + tab.width(), std::max(size.height(), tab.height())); });
  const canvas::PictureSource picture{
      .size = size.expandedTo(QSize(1, 1)),
      .title = windowTitle(),
      .image = [this](int) { return snapshot(); },
      .paint =
          [&eachTab](QPainter& p) {
            eachTab([&p](QWidget& tab, int x) { tab.render(&p, QPoint(x, 0)); });
          }};
  return QString::fromStdString(canvas::EncodePicture(path, picture, 1, bytes));
}

void GraphView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(QString::fromStdString(text::Tr("graph.view.export")), this, [this] { exportInteractively(); });
  menu.exec(event->globalPos());
}

void GraphView::exportInteractively() {
  const QString path = QFileDialog::getSaveFileName(this, QString::fromStdString(text::Tr("graph.view.exportTitle")),
                                                    tabs_->currentIndex() == 0 ? "travel-time.png" : "bundle.png",
                                                    QString::fromStdString(text::Tr("graph.view.exportFilter")));
  // The keyboard stays with this window, where the user was (the dialog's
  // closing may hand it to the main window, whose keys mean other things).
  const auto backHere = [this] {
    raise();
    activateWindow();
  };
  if (path.isEmpty()) return backHere();
  if (const QString error = exportPicture(path); !error.isEmpty()) {
    QMessageBox::warning(this, windowTitle(), error);
  }
  backHere();
}

}  // namespace views
