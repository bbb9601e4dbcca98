#include "window/Words.h"
#include "window/ViewMenu.h"

#include "window/Fermat.h"
#include "window/MenuBar.h"
#include "lab/Results.h"
#include "lab/Run.h"
#include "lab/StaticScene.h"
#include "views/EqualTimeChart.h"
#include "views/GraphView.h"

#include <QTabWidget>
#include <QAction>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace app {
namespace {
// The least size the view is given, and the largest.
constexpr QSize kMinimumPlace{280, 180};
constexpr QSize kLargestPlace{760, 560};
// World x right of the lens and its target marker (the second surface's
// vertex is at 15, the marker about 17), with room for the first wavelets.
constexpr double kRightOfLens = 40;
// World units kept clear below the axis, right of the lens: the rays of a
// bundle meet the axis there, and that is what the graphs are compared with.
constexpr double kBelowAxis = 25;
constexpr int kGap = 8;
}  // namespace

ViewMenu::ViewMenu(Fermat& window) : QObject(&window), window_(window) {
  QMenu* view = ViewMenuOf(window);
  travelTime_ = view->addAction(QString());
  Word(travelTime_, "window.view.travelTime");
  travelTime_->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
  travelTime_->setShortcutContext(Qt::ApplicationShortcut);
  connect(travelTime_, &QAction::triggered, this, [this] { openGraphs(); });
  // The view follows the model, never the widgets: the path (drags, the
  // height bar, "position by Fermat") drives the curve, every bundle built
  // drives the bundle graphs.
  const SceneModel& model = window.model();
  connect(&model, &SceneModel::pathChanged, this, [this] { refreshCurve(); });
  connect(&model, &SceneModel::bundleChanged, this, [this] { refreshBundle(); });
}

ViewMenu::~ViewMenu() {
  delete view_.data();
}

views::GraphView* ViewMenu::graphView() const noexcept {
  return view_.data();
}

void ViewMenu::openGraphs() {
  views::GraphView* view = view_.data();
  if (view == nullptr) {
    // A tool window owned by the program's window: it takes no part of the
    // client area, and the window system keeps it above the main window (a
    // press or a drag there does not bury it), minimises and closes it with it.
    view = new views::GraphView(&window_);
    view->setWindowFlags(Qt::Tool);
    view->setAttribute(Qt::WA_DeleteOnClose);
    place(*view);
    view_ = view;
    view->equalTimeChart()->setOnChosen([this](double x) {
      equalTimeAt_ = x;
      if (view_) view_->setEqualTime(lab::CurrentEqualTime(window_.lab(), equalTimeAt_));
    });
  } else {
    // Opened again while open: bring it forward.
    view->raise();
    view->activateWindow();
  }
  refresh();
  view->show();
}

void ViewMenu::reword() {
  views::GraphView* old = view_.data();
  if (old == nullptr) return;
  const QRect where = old->geometry();
  const auto* oldTabs = old->findChild<QTabWidget*>();
  const int tab = oldTabs ? oldTabs->currentIndex() : 0;
  delete old;
  openGraphs();
  if (views::GraphView* view = view_.data()) {
    view->setGeometry(where);
    if (auto* tabs = view->findChild<QTabWidget*>()) tabs->setCurrentIndex(tab);
  }
}

void ViewMenu::refresh() {
  refreshCurve();
  refreshBundle();
}

void ViewMenu::refreshCurve() {
  if (view_) view_->setCurve(lab::CurrentCurve(window_.lab()));
}

void ViewMenu::refreshBundle() {
  if (!view_) return;
  view_->setBundle(lab::CurrentBundle(window_.lab()), lab::CurrentParaxialImage(window_.lab()));
  // A new bundle starts again from where its times agree best.
  equalTimeAt_.reset();
  view_->setEqualTime(lab::CurrentEqualTime(window_.lab(), equalTimeAt_));
}

void ViewMenu::place(views::GraphView& view) const {
  // Start from everything right of the lens and below the axis where the
  // rays meet it, on the visible picture, then give up the side of each
  // control that lies in it, keeping the largest part each time.
  canvas::Form& f = window_.form();
  // Right of the lens in force, whatever its thickness: for the standard
  // lens (its glass ends at 15) this is kRightOfLens itself.
  double rightOfLens = kRightOfLens;
  if (const auto outline = lab::LensOutline(window_.lab().scene())) {
    for (const core::Point& p : *outline) rightOfLens = std::max(rightOfLens, p.x + (kRightOfLens - 15));
  }
  const QPoint corner = f.mapToGlobal(f.canvas.toPixel(rightOfLens, -kBelowAxis).toPoint());
  QRect free(corner, f.mapToGlobal(QPoint(f.width() - 1, f.height() - 1)));
  if (const QScreen* screen = window_.screen()) free &= screen->availableGeometry();
  const canvas::Control* controls[] = {&f.Command1, &f.Command2,        &f.Command3,     &f.Command4, &f.Command5,
                                       &f.thesiy,   &f.arithmosaktinon, &f.xronosmetato, &f.Label1,   &f.Label2,
                                       &f.Label3,   &f.Label4,          &f.Label5,       &f.Label6};
  for (const canvas::Control* c : controls) {
    const QWidget* w = c->widget();
    const QRect r(f.mapToGlobal(w->geometry().topLeft()), w->size());
    if (!free.intersects(r)) continue;
    const QRect parts[] = {QRect(free.topLeft(), QPoint(free.right(), r.top() - kGap)),
                           QRect(QPoint(free.left(), r.bottom() + kGap), free.bottomRight()),
                           QRect(free.topLeft(), QPoint(r.left() - kGap, free.bottom())),
                           QRect(QPoint(r.right() + kGap, free.top()), free.bottomRight())};
    auto area = [](const QRect& q) { return q.isValid() ? qint64{q.width()} * q.height() : qint64{-1}; };
    free = *std::max_element(std::begin(parts), std::end(parts),
                             [&](const QRect& a, const QRect& b) { return area(a) < area(b); });
  }
  // The window frame's decorations come on top of the size given here. On a
  // small screen (or at a large scaling) the region is smaller than a
  // readable graph: the view keeps its least size and its place below the
  // axis, as far as the screen allows.
  const QSize size(std::clamp(free.width() - 2 * kGap, kMinimumPlace.width(), kLargestPlace.width()),
                   std::clamp(free.height() - 4 * kGap, kMinimumPlace.height(), kLargestPlace.height()));
  QPoint at = free.topLeft() + QPoint(kGap, kGap);
  if (const QScreen* screen = window_.screen()) {
    const QRect s = screen->availableGeometry();
    at.setX(std::max(s.left(), std::min(at.x(), s.right() - size.width() - kGap)));
    at.setY(std::max(s.top(), std::min(at.y(), s.bottom() - size.height() - 4 * kGap)));
  }
  // Its own least size, not the charts' (which would not fit a small screen).
  view.setMinimumSize(kMinimumPlace);
  view.resize(size);
  view.move(at);
}

}  // namespace app
