#pragma once

#include "app/Marker.h"

#include <QObject>

#include <functional>
#include <memory>

class QToolButton;

namespace app {

class Fermat;
class FocusRing;
class KeyboardControl;
class LiveBar;
class LiveDrag;
class TimeSweep;

// The live side of the window, on top of its event procedures: marker drags
// and thumb drags that redraw as they go, Play, the keyboard and the focus
// ring of the active marker. Every complete action ends in the state the
// event procedures alone give; with live off ("classic") nothing is drawn
// while a marker or a thumb is dragged.
class LiveLab final : public QObject {
 public:
  explicit LiveLab(Fermat& window);
  ~LiveLab() override;

  [[nodiscard]] bool live() const noexcept { return live_; }
  void setLive(bool on);
  // Called whenever live is switched, so the View menu can follow.
  std::function<void(bool on)> liveChanged;

  [[nodiscard]] Marker activeMarker() const noexcept { return active_; }
  void setActiveMarker(Marker m);
  [[nodiscard]] TimeSweep& sweep() noexcept { return *sweep_; }
  [[nodiscard]] KeyboardControl& keys() noexcept { return *keys_; }
  [[nodiscard]] LiveDrag& drag() noexcept { return *drag_; }
  [[nodiscard]] QToolButton& playButton() noexcept { return *play_; }

  // What the event loop does between two inputs, for runs without one: draws
  // the pending live positions and runs a started sweep to its end.
  void settle();

  // As at start-up: no sweep, no pending redraw, the source the active marker.
  void reset();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeControls();

  Fermat& window_;
  bool live_ = true;
  Marker active_ = Marker::Source;
  std::unique_ptr<LiveDrag> drag_;
  std::unique_ptr<LiveBar> height_, rays_, time_;
  std::unique_ptr<TimeSweep> sweep_;
  std::unique_ptr<KeyboardControl> keys_;
  FocusRing* ring_;
  QToolButton* play_;
};

}  // namespace app
