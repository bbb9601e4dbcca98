#pragma once

#include <QObject>

#include <functional>
#include <utility>

namespace app {

// Runs a function once when the event loop is next idle, however often it was
// asked for before then: what coalesces a burst of moves into one redraw of
// the newest position. Calling the function directly in between is harmless;
// the queued call then finds nothing left to do.
class IdleCall {
 public:
  IdleCall(QObject& context, std::function<void()> run) : context_(context), run_(std::move(run)) {}

  void request() {
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(
        &context_,
        [this] {
          scheduled_ = false;
          run_();
        },
        Qt::QueuedConnection);
  }

 private:
  QObject& context_;
  std::function<void()> run_;
  bool scheduled_ = false;
};

}  // namespace app
