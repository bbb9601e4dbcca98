#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QToolButton;

namespace app {

class Fermat;
class FocusRing;

// The live side of the window, the part that needs Qt: the Play button and
// its timer (25 ticks a second while the lab plays), the keys (taken before
// any widget), any other press in the window stopping Play, and the focus
// ring of the active marker. What each of these does is the lab's.
class LiveLab final : public QObject {
 public:
  explicit LiveLab(Fermat& window);
  ~LiveLab() override;

  [[nodiscard]] bool live() const noexcept;
  void setLive(bool on);
  // Called whenever live is switched, so the View menu can follow.
  std::function<void(bool on)> liveChanged;

  [[nodiscard]] QToolButton& playButton() noexcept { return *play_; }

  // What the event loop does between two inputs, for runs without one: draws
  // the pending live positions and runs a started sweep to its end.
  void settle();

  // After every call of the lab: the timer, the Play button and the ring follow it.
  void catchUp();

  // The timer's interval while the lab plays, in milliseconds.
  [[nodiscard]] int tickInterval() const noexcept { return timer_.interval(); }
  // Whether the last press in the window was a finger's or a pen's.
  [[nodiscard]] bool fingerPress() const noexcept { return finger_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void followFocus(const QWidget* now);
  void placeControls();

  Fermat& window_;
  FocusRing* ring_;
  FocusRing* barRing_;  // around the scroll bar that has the keyboard's focus, if one has
  QToolButton* play_;
  QTimer timer_;
  bool finger_ = false;
};

}  // namespace app
