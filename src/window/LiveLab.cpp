#include "window/LiveLab.h"

#include "window/Fermat.h"
#include "window/FocusRing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolButton>

namespace app {
namespace {
const QString kPlay = QStringLiteral("▶");
const QString kPause = QStringLiteral("❚❚");
}  // namespace

LiveLab::LiveLab(Fermat& window)
    : window_(window),
      ring_(new FocusRing(&window.form())),
      barRing_(new FocusRing(&window.form(), FocusRing::Shape::Box)),
      play_(new QToolButton(&window.form())) {
  canvas::Form& f = window.form();
  play_->setText(kPlay);
  play_->setToolTip(QStringLiteral("Play / Pause (Space)"));
  play_->setFocusPolicy(Qt::NoFocus);
  connect(play_, &QToolButton::clicked, this, [this] {
    window_.lab().togglePlay();
    window_.follow();
  });
  timer_.setInterval(1000 / lab::Lab::kStepsPerSecond);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    window_.lab().playTick();
    window_.follow();
  });

  // Arrow keys belong to the markers unless a scroll bar was clicked.
  f.setFocusPolicy(Qt::ClickFocus);
  f.setFocus();
  placeControls();
  qApp->installEventFilter(this);
  barRing_->hide();
  // The focused bar shows it: a style need not draw a scroll bar's focus.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { followFocus(now); });
}

void LiveLab::followFocus(const QWidget* now) {
  canvas::Form& f = window_.form();
  for (const canvas::ScrollBar* b : {&f.thesiy, &f.arithmosaktinon, &f.xronosmetato}) {
    if (now == b->bar()) {
      barRing_->follow(*b->widget());
      barRing_->show();
      return;
    }
  }
  barRing_->hide();
}

LiveLab::~LiveLab() = default;

bool LiveLab::live() const noexcept { return window_.lab().live(); }

void LiveLab::setLive(bool on) {
  window_.lab().setLive(on);
  if (liveChanged) liveChanged(on);
}

void LiveLab::follow() {
  const bool playing = window_.lab().playing();
  if (playing && !timer_.isActive()) timer_.start();
  if (!playing) timer_.stop();
  play_->setText(playing ? kPause : kPlay);
  placeControls();
}

void LiveLab::placeControls() {
  canvas::Form& f = window_.form();
  const canvas::Shape& marker = window_.lab().activeMarker() == lab::Marker::Source ? f.kyklos : f.shmeio;
  ring_->follow(*marker.widget());
  // A square button just left of the time bar.
  const QRect bar = f.xronosmetato.widget()->geometry();
  const int side = std::max(bar.height(), 16);
  play_->setGeometry(std::max(0, bar.left() - side - 2), bar.top(), side, side);
}

void LiveLab::settle() {
  window_.lab().settle();
  window_.follow();
}

bool LiveLab::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool input = type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
                     type == QEvent::MouseButtonDblClick || type == QEvent::Wheel;
  if (!input || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != &window_ || QApplication::activeModalWidget() != nullptr) return false;
  if (type == QEvent::KeyPress) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    canvas::Form& f = window_.form();
    const QWidget* focus = window_.focusWidget();
    const bool barFocused = focus == f.thesiy.bar() || focus == f.arithmosaktinon.bar() || focus == f.xronosmetato.bar();
    const bool used = window_.lab().key(key.keyCombination().toCombined(), key.isAutoRepeat(), barFocused);
    window_.follow();
    return used;
  }
  // Anything else the user does stops the sweep; the Play button toggles it itself.
  if (widget != play_) {
    window_.lab().otherInput();
    follow();
  }
  return false;
}

}  // namespace app
