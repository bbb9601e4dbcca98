#pragma once

#include "canvas/Canvas.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace canvas {
class Form;
}

namespace app {

// Play: sweeps the time bar from its value up to its maximum in steps of 1,
// each step an ordinary change of the bar, 25 steps a second (from the
// minimum when it already stands at the maximum). The sweep stops at the
// maximum, on Pause, and when a message box opens during a step; a tick that
// comes while a box is open (its nested event loop) stops the sweep instead
// of starting a construction inside the one that raised the box. Every step
// starts from the drawing state the sweep started from, so a sweep
// ends as one change to the maximum would.
class TimeSweep final : public QObject {
 public:
  static constexpr int kStepsPerSecond = 25;

  explicit TimeSweep(canvas::Form& form);

  [[nodiscard]] bool running() const noexcept { return running_; }
  // Starts with one step at once, then one a tick.
  void start();
  void stop();
  void toggle() { running_ ? stop() : start(); }
  // Runs the sweep (started or not) to its end without waiting between steps;
  // the message boxes of its steps do not stop it.
  void runToEnd();

  // Called with the new state whenever the sweep starts or stops.
  std::function<void(bool running)> runningChanged;

 private:
  void tick();
  // One step; false once the bar stands at its maximum.
  bool advance();
  void setRunning(bool on);

  canvas::Form& form_;
  std::optional<canvas::Canvas::DrawingState> start_;  // of the sweep's start
  QTimer timer_;
  bool running_ = false;
  bool fromMinimum_ = false;  // the next step goes to the minimum
  bool stepping_ = false;
};

}  // namespace app
