#include "window/Words.h"
#include "window/LiveLab.h"

#include "window/Fermat.h"
#include "window/FocusRing.h"

#include "lab/ViewTexts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QScrollBar>
#include <QToolButton>

#include <cmath>
#include <optional>

namespace app {
namespace {
QString playText(bool playing) {
  return QString::fromUtf8(playing ? lab::Texts().pause : lab::Texts().play);
}
int widgetCoordinate(double px) { return static_cast<int>(std::lround(px)); }
}  // namespace

LiveLab::LiveLab(Fermat& window)
    : window_(window),
      ring_(new FocusRing(&window.form())),
      barRing_(new FocusRing(&window.form(), FocusRing::Shape::Box)),
      play_(new QToolButton(&window.form())) {
  canvas::Form& f = window.form();
  play_->setText(playText(false));
  Word(play_, "view.playTooltip", "toolTip");
  play_->setFocusPolicy(Qt::NoFocus);
  connect(play_, &QToolButton::clicked, this, [this] {
    window_.lab().togglePlay();
    window_.catchUp();
  });
  timer_.setInterval(lab::Lab::kPlayIntervalMs);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    window_.lab().playTick();
    window_.catchUp();
  });

  // Arrow keys belong to the markers unless a scroll bar was clicked.
  f.setFocusPolicy(Qt::ClickFocus);
  // Tab reaches each marker too: the focused one is the one the arrows move.
  f.kyklos.widget()->setFocusPolicy(Qt::TabFocus);
  f.shmeio.widget()->setFocusPolicy(Qt::TabFocus);
  f.setFocus();
  placeControls();
  qApp->installEventFilter(this);
  barRing_->hide();
  // The focused bar shows it: a style need not draw a scroll bar's focus.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { followFocus(now); });
}

void LiveLab::followFocus(const QWidget* now) {
  canvas::Form& f = window_.form();
  if (now == f.kyklos.widget() || now == f.shmeio.widget()) {
    window_.lab().setActiveMarker(now == f.kyklos.widget() ? lab::Marker::Source : lab::Marker::Entry);
    placeControls();  // the ring goes round it
  }
  for (const canvas::ScrollBar* b : {&f.thesiy, &f.arithmosaktinon, &f.xronosmetato}) {
    if (now == b->bar()) {
      barRing_->catchUp(*b->widget());
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

void LiveLab::catchUp() {
  const bool playing = window_.lab().playing();
  if (playing && !timer_.isActive()) timer_.start();
  if (!playing) timer_.stop();
  play_->setText(playText(playing));
  placeControls();
}

void LiveLab::placeControls() {
  canvas::Form& f = window_.form();
  const canvas::Shape& marker = window_.lab().activeMarker() == lab::Marker::Source ? f.kyklos : f.shmeio;
  ring_->catchUp(*marker.widget());
  // Where the lab puts it, each of its numbers rounded to whole pixels.
  const lab::PixelRect r = lab::PlayButtonRect(window_.lab().controls());
  play_->setGeometry(widgetCoordinate(r.left), widgetCoordinate(r.top), widgetCoordinate(r.width),
                     widgetCoordinate(r.height));
}

void LiveLab::settle() {
  window_.lab().settle();
  window_.catchUp();
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
    const int combination = key.keyCombination().toCombined();
    // A focused bar's keys are the lab's rule too: Qt's bar never moves by itself.
    std::optional<lab::BarId> bar;
    if (focus == f.thesiy.bar()) bar = lab::BarId::Height;
    if (focus == f.arithmosaktinon.bar()) bar = lab::BarId::Rays;
    if (focus == f.xronosmetato.bar()) bar = lab::BarId::Time;
    const bool used = (bar && window_.lab().barKey(*bar, combination)) ||
                      window_.lab().key(combination, key.isAutoRepeat(), bar.has_value());
    window_.catchUp();
    return used || (bar && lab::IsBarKey(combination));
  }
  if (type != QEvent::Wheel) {
    // A finger or a pen snaps to a marker near it (the lab's slop).
    const QPointingDevice* device = static_cast<QMouseEvent*>(event)->pointingDevice();
    finger_ = device && (device->pointerType() == QPointingDevice::PointerType::Finger ||
                         device->pointerType() == QPointingDevice::PointerType::Pen);
  }
  window_.lab().press(widget == play_ ? lab::Lab::PressOn::PlayButton : lab::Lab::PressOn::Elsewhere);
  catchUp();
  return false;
}

}  // namespace app
