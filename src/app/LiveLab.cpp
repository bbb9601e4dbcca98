#include "app/LiveLab.h"

#include "app/Fermat.h"
#include "app/FocusRing.h"
#include "app/KeyboardControl.h"
#include "app/LiveBar.h"
#include "app/LiveDrag.h"
#include "app/TimeSweep.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

namespace app {
namespace {
const QString kPlay = QStringLiteral("▶");
const QString kPause = QStringLiteral("❚❚");
}  // namespace

LiveLab::LiveLab(Fermat& window)
    : window_(window),
      drag_(std::make_unique<LiveDrag>(window)),
      height_(std::make_unique<LiveBar>(window.form(), window.model(), window.form().thesiy)),
      rays_(std::make_unique<LiveBar>(window.form(), window.model(), window.form().arithmosaktinon)),
      time_(std::make_unique<LiveBar>(window.form(), window.model(), window.form().xronosmetato)),
      sweep_(std::make_unique<TimeSweep>(window.form())),
      keys_(std::make_unique<KeyboardControl>(window, *sweep_, active_)),
      ring_(new FocusRing(&window.form())),
      play_(new QToolButton(&window.form())) {
  canvas::Form& f = window.form();
  // The window's procedures run first; the live side follows them.
  f.MouseDown = [this, down = f.MouseDown](int b, int s, float x, float y) {
    down(b, s, x, y);
    if (window_.DraggingPoint) setActiveMarker(Marker::Entry);
    if (window_.DraggingSource) setActiveMarker(Marker::Source);
  };
  f.MouseMove = [this, move = f.MouseMove](int b, int s, float x, float y) {
    move(b, s, x, y);
    drag_->moved(x, y);
  };
  f.MouseUp = [this, up = f.MouseUp](int b, int s, float x, float y) {
    drag_->cancel();
    up(b, s, x, y);
  };

  play_->setText(kPlay);
  play_->setToolTip(QStringLiteral("Play / Pause (Space)"));
  play_->setFocusPolicy(Qt::NoFocus);
  connect(play_, &QToolButton::clicked, this, [this] { sweep_->toggle(); });
  sweep_->runningChanged = [this](bool running) { play_->setText(running ? kPause : kPlay); };

  // Arrow keys belong to the markers unless a scroll bar was clicked.
  f.setFocusPolicy(Qt::ClickFocus);
  f.setFocus();
  placeControls();
  qApp->installEventFilter(this);
}

LiveLab::~LiveLab() = default;

void LiveLab::setLive(bool on) {
  live_ = on;
  drag_->setEnabled(on);
  for (LiveBar* b : {height_.get(), rays_.get(), time_.get()}) b->setEnabled(on);
  if (liveChanged) liveChanged(on);
}

void LiveLab::setActiveMarker(Marker m) {
  active_ = m;
  ring_->follow(*ShapeOf(window_.form(), m).widget());
}

void LiveLab::placeControls() {
  canvas::Form& f = window_.form();
  ring_->follow(*ShapeOf(f, active_).widget());
  // A square button just left of the time bar.
  const QRect bar = f.xronosmetato.widget()->geometry();
  const int side = std::max(bar.height(), 16);
  play_->setGeometry(std::max(0, bar.left() - side - 2), bar.top(), side, side);
}

void LiveLab::settle() {
  drag_->flush();
  for (LiveBar* b : {height_.get(), rays_.get(), time_.get()}) b->flush();
  if (sweep_->running()) sweep_->runToEnd();
  placeControls();
}

void LiveLab::reset() {
  sweep_->stop();
  drag_->cancel();
  setActiveMarker(Marker::Source);
  placeControls();
}

bool LiveLab::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool input = type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
                     type == QEvent::MouseButtonDblClick || type == QEvent::Wheel;
  const bool moved = type == QEvent::Move || type == QEvent::Resize;
  if (!(input || moved) || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (moved) {
    canvas::Form& f = window_.form();
    if (widget == f.kyklos.widget() || widget == f.shmeio.widget() || widget == f.xronosmetato.widget()) {
      placeControls();
    }
    return false;
  }
  if (widget->window() != &window_ || QApplication::activeModalWidget() != nullptr) return false;
  if (type == QEvent::KeyPress) return keys_->keyPressed(*static_cast<QKeyEvent*>(event));
  // Anything else the user does stops the sweep; the Play button toggles it itself.
  if (widget != play_) sweep_->stop();
  return false;
}

}  // namespace app
