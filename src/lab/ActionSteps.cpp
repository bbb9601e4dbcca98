#include "lab/ActionSteps.h"

#include "lab/Lab.h"

#include <optional>

namespace lab {

// ---------------------------------------------------------------- the lab's inputs

ShapeCentre LabInputs::markerCentre(Marker marker) const { return CentreOf(lab_.controls().marker(marker)); }
int LabInputs::barValue(BarId bar) const { return lab_.controls().bar(bar).value; }
ShapeCentre LabInputs::targetCentre() const {
  return {static_cast<float>(lab_.target().x), static_cast<float>(lab_.target().y)};
}
void LabInputs::pointerDown(float x, float y) { lab_.pointerDown(x, y); }
void LabInputs::pointerMove(float x, float y) { lab_.pointerMove(x, y); }
void LabInputs::pointerUp(float x, float y) { lab_.pointerUp(x, y); }
void LabInputs::setBar(BarId bar, int value) { lab_.setBar(bar, value); }
void LabInputs::thumbMoved(BarId bar, int value) { lab_.thumbMoved(bar, value); }
void LabInputs::thumbReleased(BarId bar, int value) { lab_.thumbReleased(bar, value); }
void LabInputs::click(int button) { lab_.click(button); }
void LabInputs::key(int combination) { lab_.key(combination); }
void LabInputs::playToEnd() { lab_.playToEnd(); }
void LabInputs::reset() { lab_.reset(); }
// A lens of an action was read as one that can exist; a refusal here changes nothing.
void LabInputs::setLens(const optics::LensDesign& design) { (void)lab_.setLens(design); }
void LabInputs::setMirror(const std::optional<optics::MirrorDesign>& design) { (void)lab_.setMirror(design); }
void LabInputs::setMedium(const std::optional<optics::MediumDesign>& design) { (void)lab_.setMedium(design); }
void LabInputs::setParallelBeam(bool on) { (void)lab_.setParallelBeam(on); }
// Refused only while a message is open, and between groups none is.
void LabInputs::setActiveMarker(Marker marker) { lab_.setActiveMarker(marker); }
void LabInputs::settle() { lab_.settle(); }

// ---------------------------------------------------------------- the groups

std::vector<int> ThumbPath(int from, int to) {
  constexpr int kMoves = 3;
  std::vector<int> path;
  for (int i = 1; i <= kMoves && from != to; ++i) path.push_back(from + (to - from) * i / kMoves);
  return path;
}

namespace {

std::optional<BarId> thumbOf(Action::Kind kind) {
  switch (kind) {
    case Action::Kind::DragHeight: return BarId::Height;
    case Action::Kind::DragRays: return BarId::Rays;
    case Action::Kind::DragTime: return BarId::Time;
    default: return std::nullopt;
  }
}

// The one input of an action that is neither a marker's nor a thumb's drag.
void runSingle(const Action& a, Inputs& in) {
  using K = Action::Kind;
  switch (a.kind) {
    case K::Height: in.setBar(BarId::Height, a.value); break;
    case K::Rays: in.setBar(BarId::Rays, a.value); break;
    case K::Time: in.setBar(BarId::Time, a.value); break;
    case K::MouseDown: in.pointerDown(a.x, a.y); break;
    case K::MouseMove: in.pointerMove(a.x, a.y); break;
    case K::MouseUp: in.pointerUp(a.x, a.y); break;
    case K::Key: in.key(a.value); break;
    case K::Play: in.playToEnd(); break;
    case K::Reset: in.reset(); break;
    case K::Lens: in.setLens(a.lens); break;
    case K::Mirror: in.setMirror(a.mirror); break;
    case K::Medium: in.setMedium(a.medium); break;
    case K::Beam: in.setParallelBeam(a.value == 1); break;
    case K::Active: in.setActiveMarker(a.value == 1 ? Marker::Entry : Marker::Source); break;
    case K::Press: in.click(a.value); break;
    case K::Source:
    case K::Entry:
    case K::Target:
    case K::DragHeight:
    case K::DragRays:
    case K::DragTime: break;  // drags have groups of their own
  }
}

}  // namespace

void ActionSteps::runThumbGroup(Inputs& in, BarId bar) {
  if (next_ == 0) {
    at_ = in.barValue(bar);
    path_ = ThumbPath(at_, action_.value);
    groups_ = static_cast<int>(path_.size()) + 2;  // the moves, the release, the settling
    in.thumbPressed(bar);
  }
  const auto moves = static_cast<int>(path_.size());
  if (next_ < moves) {
    const int to = path_[static_cast<std::size_t>(next_)];
    // A thumb put where it already stands does not move.
    if (to != at_) in.thumbMoved(bar, to);
    at_ = to;
    in.settle();
  } else if (next_ == moves) {
    in.thumbReleased(bar, at_);
  } else {
    in.settle();
  }
}

void ActionSteps::runNext(Inputs& in) {
  if (done()) return;
  using K = Action::Kind;
  const Action& a = action_;
  if (const std::optional<BarId> bar = thumbOf(a.kind)) {
    runThumbGroup(in, *bar);
  } else {
    groups_ = 2;  // the input, the settling
    if (next_ == 1) {
      // No event loop runs between scripted actions: what it would do, now.
      in.settle();
    } else if (a.kind == K::Source || a.kind == K::Entry || a.kind == K::Target) {
      const ShapeCentre c = a.kind == K::Target ? in.targetCentre()
                                                : in.markerCentre(a.kind == K::Source ? Marker::Source : Marker::Entry);
      in.pointerDown(c.x, c.y);
      in.pointerMove(a.x, a.y);
      in.pointerUp(a.x, a.y);
    } else {
      runSingle(a, in);
    }
  }
  ++next_;
}

}  // namespace lab
