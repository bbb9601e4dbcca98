#pragma once

#include "lab/Controls.h"
#include "lab/Script.h"

#include <optional>
#include <vector>

namespace lab {

class Lab;

// The single inputs a scripted action is made of, one call each, as a view
// delivers them: straight to the lab (LabInputs: fermat-lab, the page's
// module, set-ups and lessons) or through the window's widgets. Where an
// action's path begins (a marker's centre, a thumb's value) is read here too,
// where that view reads it.
class Inputs {
 public:
  virtual ~Inputs() = default;
  [[nodiscard]] virtual ShapeCentre markerCentre(Marker marker) const = 0;
  [[nodiscard]] virtual int barValue(BarId bar) const = 0;
  // The mirror scene's target, where a drag of it begins.
  [[nodiscard]] virtual ShapeCentre targetCentre() const = 0;

  virtual void pointerDown(float x, float y) = 0;
  virtual void pointerMove(float x, float y) = 0;
  virtual void pointerUp(float x, float y) = 0;
  virtual void setBar(BarId bar, int value) = 0;
  // A thumb's drag: pressed, moved (only to a value other than the last),
  // released where it stands (`value`).
  virtual void thumbPressed(BarId bar) = 0;
  virtual void thumbMoved(BarId bar, int value) = 0;
  virtual void thumbReleased(BarId bar, int value) = 0;
  virtual void click(int button) = 0;  // 1..5
  virtual void key(int combination) = 0;
  virtual void playToEnd() = 0;
  virtual void reset() = 0;
  virtual void setLens(const optics::LensDesign& design) = 0;  // one that can exist
  virtual void setMirror(const std::optional<optics::MirrorDesign>& design) = 0;  // one that can exist, or none
  virtual void setMedium(const std::optional<optics::MediumDesign>& design) = 0;  // one that can exist, or none
  virtual void setParallelBeam(bool on) = 0;
  virtual void setActiveMarker(Marker marker) = 0;
  // What the event loop does when idle: the pending live redraws, a started sweep to its end.
  virtual void settle() = 0;
};

// The inputs as calls of the lab itself.
class LabInputs final : public Inputs {
 public:
  explicit LabInputs(Lab& lab) : lab_(lab) {}
  [[nodiscard]] ShapeCentre markerCentre(Marker marker) const override;
  [[nodiscard]] int barValue(BarId bar) const override;
  [[nodiscard]] ShapeCentre targetCentre() const override;
  void pointerDown(float x, float y) override;
  void pointerMove(float x, float y) override;
  void pointerUp(float x, float y) override;
  void setBar(BarId bar, int value) override;
  void thumbPressed(BarId) override {}  // the lab learns of a drag from its first move
  void thumbMoved(BarId bar, int value) override;
  void thumbReleased(BarId bar, int value) override;
  void click(int button) override;
  void key(int combination) override;
  void playToEnd() override;
  void reset() override;
  void setLens(const optics::LensDesign& design) override;
  void setMirror(const std::optional<optics::MirrorDesign>& design) override;
  void setMedium(const std::optional<optics::MediumDesign>& design) override;
  void setParallelBeam(bool on) override;
  void setActiveMarker(Marker marker) override;
  void settle() override;

 private:
  Lab& lab_;
};

// One scripted action as the user makes it, in groups of inputs run one
// group at a time: a marker drag is a press at the marker's centre, a move to
// the point and the release there; a thumb drag is its press and a move in
// each of the ThumbPath steps, each followed by an idle loop, then the
// release; any other action is its one input. Every action ends with a group
// of its own that settles what the event loop would.
//
// Between groups the caller shows an open message: fermat-lab hands it over
// and dismisses it, the page waits for its OK. A message opened inside a
// group refuses the group's later inputs (the lab is busy). The thumb's path
// starts where the thumb stands when its first group runs.
class ActionSteps {
 public:
  explicit ActionSteps(const Action& action) : action_(action) {}

  [[nodiscard]] bool done() const noexcept { return groups_ >= 0 && next_ >= groups_; }
  // Runs the next group; nothing once done.
  void runNext(Inputs& in);

 private:
  void runThumbGroup(Inputs& in, BarId bar);

  Action action_;
  int groups_ = -1;  // how many, once the first group ran
  int next_ = 0;
  std::vector<int> path_;  // a thumb's values on the way
  int at_ = 0;             // where the thumb stands
};

// Runs the whole action on `in`, one group after the other, calling
// `between` after each (where an open message is shown and dismissed).
template <class Between>
void RunActionSteps(const Action& action, Inputs& in, Between&& between) {
  ActionSteps steps(action);
  while (!steps.done()) {
    steps.runNext(in);
    between();
  }
}

// The positions a scripted thumb drag from `from` to `to` passes through:
// three even moves, the last at `to` (none when the two are equal).
[[nodiscard]] std::vector<int> ThumbPath(int from, int to);

}  // namespace lab
