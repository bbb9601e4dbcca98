#include "app/LiveBar.h"

#include "canvas/Form.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <utility>

namespace app {
namespace {
std::array<canvas::Label*, 6> labelsOf(canvas::Form& f) {
  return {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
}
}  // namespace

LiveBar::LiveBar(canvas::Form& form, SceneModel& model, canvas::ScrollBar& bar)
    : form_(form), model_(model), bar_(bar) {
  QScrollBar* q = bar.bar();
  connect(q, &QScrollBar::sliderMoved, this, [this](int position) { moved(position); });
  connect(q, &QScrollBar::sliderReleased, this, [this] { released(); });
}

void LiveBar::setEnabled(bool on) {
  enabled_ = on;
  if (!on) pending_.reset();
}

void LiveBar::moved(int qtPosition) {
  if (!enabled_) return;
  pending_ = bar_.fromQt(qtPosition);
  apply_.request();
}

void LiveBar::flush() {
  // Inside a message box the position waits: no construction inside another.
  if (!pending_ || form_.modalDepth() > 0) return;
  const int v = *std::exchange(pending_, std::nullopt);
  if (!bar_.bar()->isSliderDown() || v == bar_.Value()) return;
  if (before_) {
    form_.canvas.setDrawingState(before_->canvas.state);
  } else {
    before_ = capture();
  }
  form_.holdMessages();
  bar_.setValue(v);  // the bar's own Change, as on a release at v
  held_ = form_.takeHeld();
}

void LiveBar::released() {
  pending_.reset();
  if (!before_) return;  // nothing shown live: the bar applies its value as ever
  const Before b = std::move(*before_);
  before_.reset();
  const std::vector<QString> held = std::exchange(held_, {});
  const int at = bar_.fromQt(bar_.bar()->sliderPosition());
  if (at == b.value) {
    {
      const QSignalBlocker quiet(bar_.bar());
      bar_.bar()->setValue(bar_.toQt(at));
    }
    restore(b);
  } else if (at == bar_.Value()) {
    for (const QString& text : held) form_.MsgBox(text);
  } else {
    form_.canvas.setDrawingState(b.canvas.state);  // the bar now applies `at` with one ordinary Change
  }
}

LiveBar::Before LiveBar::capture() const {
  Before b{.value = bar_.Value(),
           .canvas = form_.canvas.save(),
           .labels = {},
           .model = model_.snapshot()};
  const auto labels = labelsOf(form_);
  for (std::size_t i = 0; i < labels.size(); ++i) b.labels[i] = labels[i]->Caption();
  return b;
}

void LiveBar::restore(const Before& b) {
  form_.canvas.restore(b.canvas);
  const auto labels = labelsOf(form_);
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i]->setCaption(b.labels[i]);
  model_.restore(b.model);
}

}  // namespace app
