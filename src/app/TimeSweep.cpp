#include "app/TimeSweep.h"

#include "canvas/Form.h"

namespace app {

TimeSweep::TimeSweep(canvas::Form& form) : form_(form) {
  timer_.setInterval(1000 / kStepsPerSecond);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

void TimeSweep::setRunning(bool on) {
  if (running_ == on) return;
  running_ = on;
  if (runningChanged) runningChanged(on);
}

void TimeSweep::start() {
  if (running_ || stepping_ || form_.modalDepth() > 0) return;
  fromMinimum_ = form_.xronosmetato.Value() == canvas::kTimeRange.max;
  start_ = form_.canvas.drawingState();
  setRunning(true);
  timer_.start();
  tick();
}

void TimeSweep::stop() {
  timer_.stop();
  start_.reset();
  setRunning(false);
}

void TimeSweep::tick() {
  if (!running_) return;
  if (stepping_ || form_.modalDepth() > 0) {
    stop();
    return;
  }
  const int boxes = form_.messageCount();
  stepping_ = true;
  const bool more = advance();
  stepping_ = false;
  if (!more || form_.messageCount() != boxes) stop();
}

bool TimeSweep::advance() {
  canvas::ScrollBar& bar = form_.xronosmetato;
  if (!fromMinimum_ && bar.Value() >= canvas::kTimeRange.max) return false;
  const int next = fromMinimum_ ? canvas::kTimeRange.min : bar.Value() + 1;
  fromMinimum_ = false;
  if (start_) form_.canvas.setDrawingState(*start_);
  bar.setValue(next);
  return next < canvas::kTimeRange.max;
}

void TimeSweep::runToEnd() {
  if (stepping_) return;
  if (!running_) {
    fromMinimum_ = form_.xronosmetato.Value() == canvas::kTimeRange.max;
    start_ = form_.canvas.drawingState();
  }
  timer_.stop();
  setRunning(true);
  stepping_ = true;
  while (advance()) {
  }
  stepping_ = false;
  stop();
}

}  // namespace app
