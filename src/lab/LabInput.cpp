// The inputs of the lab as a view delivers them, and its live side: marker
// drags and thumb drags that redraw as they go, Play and the keys. Every
// complete action ends in the state the event procedures alone give.
#include "core/MirrorFermat.h"
#include "lab/Challenge.h"
#include "lab/Keys.h"
#include "optics/Faces.h"
#include "lab/Lab.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace lab {
namespace {
constexpr int kLeftButton = 1;
constexpr float kStep = 1.0f, kShiftStep = 10.0f;
}  // namespace

bool Lab::pointerDown(float x, float y) {
  const FollowChallenge following{*this};
  if (busy()) return false;
  stopPlay();
  Form_MouseDown(kLeftButton, 0, x, y);
  if (DraggingPoint) active_ = Marker::Entry;
  if (DraggingSource) active_ = Marker::Source;
  if (dragging()) {
    record({.kind = Action::Kind::MouseDown, .x = x, .y = y});
    journalActive_ = active_;
  }
  return true;
}

// Moves are coalesced: a move stores only the newest position, and the
// view's next idle() draws it, so the picture is never more than one redraw
// behind the pointer and stale positions are never drawn.
bool Lab::pointerMove(float x, float y) {
  const FollowChallenge following{*this};
  if (busy()) return false;
  Form_MouseMove(kLeftButton, 0, x, y);
  if (dragging()) {
    if (live_) dragPending_ = Position{x, y};
    record({.kind = Action::Kind::MouseMove, .x = x, .y = y});
  }
  return true;
}

bool Lab::pointerUp(float x, float y) {
  const FollowChallenge following{*this};
  if (busy()) return false;
  // The release draws the final picture itself.
  dragPending_.reset();
  if (dragging()) record({.kind = Action::Kind::MouseUp, .x = x, .y = y});
  if (DraggingPoint) ++entryMoves_;
  Form_MouseUp(kLeftButton, 0, x, y);
  return true;
}

bool Lab::setBar(BarId id, int value) {
  const FollowChallenge following{*this};
  if (busy() || !controls_.bar(id).enabled || !controls_.bar(id).range.contains(value)) return false;
  stopPlay();
  // A bar set to the value it has changes nothing (its Change does not run),
  // so the journal leaves it out, as it leaves out any input without effect.
  if (value == controls_.bar(id).value) return true;
  record({.kind = id == BarId::Height ? Action::Kind::Height
                  : id == BarId::Rays ? Action::Kind::Rays
                                      : Action::Kind::Time,
          .value = value});
  changeBar(id, value);
  run();
  return true;
}

bool Lab::click(int button) {
  const FollowChallenge following{*this};
  if (busy() || !buttonEnabled(button)) return false;
  stopPlay();
  record({.kind = Action::Kind::Press, .value = button});
  clickButton(button);
  run();
  return true;
}

bool Lab::idle() {
  const FollowChallenge following{*this};
  if (busy()) return false;
  const bool pending = idlePending();
  flushDrag();
  for (BarId id : {BarId::Height, BarId::Rays, BarId::Time}) flushBar(id);
  return pending;
}

bool Lab::idlePending() const noexcept {
  if (dragPending_) return true;
  for (const LiveBar& b : bars_) {
    if (b.pending) return true;
  }
  return false;
}

void Lab::flushDrag() {
  // While a message is open the position waits for the next move or idle.
  if (!dragPending_ || busy()) return;
  const Position at = *std::exchange(dragPending_, std::nullopt);
  ShapeCentre s = CentreOf(controls_.kyklos);
  ShapeCentre p = CentreOf(controls_.shmeio);
  core::Point t = target_;
  if (DraggingPoint) {
    p = mirror_ ? onMirror({at.x, at.y}) : ShapeCentre{at.x, at.y};
  } else if (DraggingSource) {
    s = {at.x, at.y};
  } else if (DraggingTarget) {
    t = InsideFrame({at.x, at.y}, scene_);
  } else {
    return;
  }
  // The release will start from the drawing state the drag started from.
  const DrawingState before = surface_.drawingState();
  if (medium_) {
    const core::Point inS = InsideFrame({s.x, s.y}, scene_), inP = InsideFrame({p.x, p.y}, scene_);
    const ShapeCentre from{static_cast<float>(inS.x), static_cast<float>(inS.y)};
    const double time = drawMediumPath(from, {static_cast<float>(inP.x), static_cast<float>(inP.y)}, t);
    if (!DraggingPoint) followMediumBundle(from, t, true);
    updatePath(std::isfinite(time) ? std::optional(time) : std::nullopt);
    surface_.setDrawingState(before);
    ++dragRedraws_;
    return;
  }
  const double time = mirror_ ? drawMirrorPath(s, p, t) : drawDragPath(s, p);
  updatePath(time);  // the graphs follow the hand too
  surface_.setDrawingState(before);
  ++dragRedraws_;
}

void Lab::setLive(bool on) {
  live_ = on;
  if (!on) {
    dragPending_.reset();
    for (LiveBar& b : bars_) b.pending.reset();
  }
}

// ---- Thumbs. The newest thumb position becomes the bar's value (an
// ordinary Change) when the view is idle. The complete thumb drag ends in
// the state the classic bar reaches on release:
// - released where the last live value stands: nothing runs again, and the
//   messages that value's Change raised (held back while dragging, so no
//   message opens mid-drag) are shown now;
// - released elsewhere: the bar applies that value as it always does;
// - released where the drag started: the classic bar changes nothing, so the
//   picture, labels and results from before the drag are put back.
// Each live value, and a value the release applies, starts from the drawing
// state of the drag's start, as the classic bar's one change does.

bool Lab::thumbMoved(BarId id, int value) {
  const FollowChallenge following{*this};
  if (busy() || !controls_.bar(id).enabled || !controls_.bar(id).range.contains(value)) return false;
  LiveBar& b = bars_[index(id)];
  if (!b.down) stopPlay();
  b.down = true;
  if (live_) b.pending = value;
  return true;
}

void Lab::flushBar(BarId id) {
  LiveBar& b = bars_[index(id)];
  // While a message is open the position waits: no construction inside another.
  if (!b.pending || busy()) return;
  const int v = *std::exchange(b.pending, std::nullopt);
  Bar& bar = controls_.bar(id);
  if (!b.down || v == bar.value) return;
  if (b.before) {
    surface_.setDrawingState(b.before->surface.state);
  } else {
    b.before = LiveBar::Before{
        .value = bar.value, .surface = surface_.save(), .labels = phrases(), .results = results_.snapshot()};
  }
  holding_ = true;
  changeBar(id, v);  // the bar's own Change, as on a release at v
  run();
  holding_ = false;
  b.held = std::exchange(held_, {});
}

bool Lab::thumbReleased(BarId id, int at) {
  const FollowChallenge following{*this};
  if (busy() || !controls_.bar(id).enabled || !controls_.bar(id).range.contains(at)) return false;
  record({.kind = id == BarId::Height ? Action::Kind::DragHeight
                  : id == BarId::Rays ? Action::Kind::DragRays
                                      : Action::Kind::DragTime,
          .value = at});
  LiveBar& b = bars_[index(id)];
  b.pending.reset();
  b.down = false;
  Bar& bar = controls_.bar(id);
  if (!b.before) {
    // Nothing shown live: the bar applies its value as ever.
    changeBar(id, at);
    run();
    return true;
  }
  const LiveBar::Before before = std::move(*b.before);
  b.before.reset();
  const std::vector<std::string> held = std::exchange(b.held, {});
  if (at == before.value) {
    bar.value = at;
    surface_.restore(before.surface);
    const auto labels = controls_.labels();
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i]->setCaption(before.labels[i]);
    results_.restore(before.results);
  } else if (at == bar.value) {
    for (const std::string& text : held) {
      then([this, text] {
        ++messageCount_;
        message_ = text;
      });
    }
    run();
  } else {
    surface_.setDrawingState(before.surface.state);  // the bar now applies `at` with one ordinary Change
    changeBar(id, at);
    run();
  }
  return true;
}

// ---- Play. Every step starts from the drawing state the sweep started
// from, so a sweep ends as one change to the maximum would.

void Lab::startPlay() {
  if (sweep_.running || sweep_.stepping || busy() || !controls_.xronosmetato.enabled) return;
  sweep_.fromMinimum = controls_.xronosmetato.value == kTimeRange.max;
  sweep_.start = surface_.drawingState();
  sweep_.from = controls_.xronosmetato.value;
  sweep_.running = true;
  playTick();
}

void Lab::stopPlay() {
  if (sweep_.running) recordSweepEnd();
  sweep_.running = false;
  sweep_.start.reset();
}

void Lab::playTick() {
  const FollowChallenge following{*this};
  if (!sweep_.running) return;
  if (sweep_.stepping || busy()) {
    stopPlay();
    return;
  }
  const int messages = messageCount_;
  sweep_.stepping = true;
  const bool more = advancePlay();
  run();
  sweep_.stepping = false;
  if (!more || messageCount_ != messages) stopPlay();
}

bool Lab::advancePlay() {
  const Bar& bar = controls_.xronosmetato;
  if (!sweep_.fromMinimum && bar.value >= kTimeRange.max) return false;
  const int next = sweep_.fromMinimum ? kTimeRange.min : bar.value + 1;
  sweep_.fromMinimum = false;
  if (sweep_.start) surface_.setDrawingState(*sweep_.start);
  changeBar(BarId::Time, next);
  return next < kTimeRange.max;
}

void Lab::playToEnd() {
  const FollowChallenge following{*this};
  if (sweep_.stepping || busy() || !controls_.xronosmetato.enabled) return;
  if (!sweep_.running) {
    sweep_.fromMinimum = controls_.xronosmetato.value == kTimeRange.max;
    sweep_.start = surface_.drawingState();
    sweep_.from = controls_.xronosmetato.value;
  }
  sweep_.running = true;
  sweep_.stepping = true;
  // One step after another; a message pauses them until it is dismissed.
  then([this] { playStep(); });
  run();
}

void Lab::playStep() {
  if (advancePlay()) {
    then([this] { playStep(); });
    return;
  }
  sweep_.stepping = false;
  stopPlay();
}

void Lab::settle() {
  const FollowChallenge following{*this};
  if (busy()) return;
  flushDrag();
  for (BarId id : {BarId::Height, BarId::Rays, BarId::Time}) flushBar(id);
  if (sweep_.running) playToEnd();
}

// ---- Keys: Space plays or pauses, Ctrl+1 ... Ctrl+5 click the buttons, M
// makes the other marker active, an arrow (Shift: ten units) is a complete
// drag of the active marker.

bool Lab::key(int combination, bool autoRepeat, bool barFocused) {
  const FollowChallenge following{*this};
  if (busy()) return false;
  const int mods = combination & keys::ModifierMask & ~keys::Keypad;
  const int code = combination & ~keys::ModifierMask;
  if (code == keys::Space && mods == 0) {
    if (!autoRepeat) togglePlay();
    return true;
  }
  stopPlay();
  if (mods == keys::Control && code >= keys::Digit1 && code <= keys::Digit5) {
    if (!buttonEnabled(code - keys::Digit1 + 1)) return true;  // used, as a click on a greyed button is
    record({.kind = Action::Kind::Press, .value = code - keys::Digit1 + 1});
    clickButton(code - keys::Digit1 + 1);
    run();
    return true;
  }
  // M: the other marker becomes the one the arrow keys move, so that every
  // marker can be moved from the keyboard (a press on a marker does it too).
  if (code == keys::M && mods == 0) {
    if (autoRepeat) return true;
    active_ = active_ == Marker::Source ? Marker::Entry : Marker::Source;
    return true;
  }
  // L: the entry point onto the least-time point; [ and ] (Shift, or { and }:
  // ten units): a step down or up along the face, so that the least time can
  // be sought without a pointer. Each is a complete drag of the entry point.
  const bool least = code == keys::L && mods == 0;
  const bool down = code == keys::BracketLeft || code == keys::BraceLeft;
  const bool up = code == keys::BracketRight || code == keys::BraceRight;
  if ((least || down || up) && (mods == 0 || mods == keys::Shift) && !barFocused) {
    record({.kind = Action::Kind::Key, .value = combination});
    active_ = journalActive_ = Marker::Entry;  // a replay of the key makes it active as well
    ++entryMoves_;
    if (least) {
      const ChallengeReveal a = LeastTimeAnswer(*this);
      if (a.found) moveEntryTo(a.leastX, a.leastY);
      return true;
    }
    const double step = (mods == keys::Shift || code == keys::BraceLeft || code == keys::BraceRight) ? kShiftStep : kStep;
    const core::Point p = alongFace(up ? step : -step);
    moveEntryTo(p.x, p.y);
    return true;
  }
  const bool arrow = code == keys::Left || code == keys::Right || code == keys::Up || code == keys::Down;
  if (!arrow || (mods != 0 && mods != keys::Shift) || barFocused) return false;
  if (active_ != journalActive_) {
    record({.kind = Action::Kind::Active, .value = active_ == Marker::Entry ? 1 : 0});
    journalActive_ = active_;
  }
  record({.kind = Action::Kind::Key, .value = combination});
  if (active_ == Marker::Entry) ++entryMoves_;
  const float d = mods == keys::Shift ? kShiftStep : kStep;
  // World y grows upwards.
  moveActive(code == keys::Left ? -d : code == keys::Right ? d : 0.0f,
             code == keys::Up ? d : code == keys::Down ? -d : 0.0f);
  return true;
}

bool IsBarKey(int combination) noexcept {
  const int code = combination & ~keys::ModifierMask;
  return code == keys::Up || code == keys::Down || code == keys::Left || code == keys::Right ||
         code == keys::PageUp || code == keys::PageDown || code == keys::Home || code == keys::End;
}

bool Lab::barKey(BarId id, int combination) {
  if (busy()) return false;
  const Bar& b = controls_.bar(id);
  const int mods = combination & keys::ModifierMask & ~keys::Keypad;
  const int code = combination & ~keys::ModifierMask;
  if (!b.enabled || (mods != 0 && mods != keys::Shift)) return false;
  // Positions count from Min, whichever end is the larger value.
  const int towardsMax = b.range.min <= b.range.max ? 1 : -1;
  const int span = std::abs(b.range.max - b.range.min);
  const int at = (b.value - b.range.min) * towardsMax;
  int to = 0;
  switch (code) {
    case keys::Up:
    case keys::Left: to = at - std::max(1, b.smallChange); break;
    case keys::Down:
    case keys::Right: to = at + std::max(1, b.smallChange); break;
    case keys::PageUp: to = at - std::max(1, b.largeChange); break;
    case keys::PageDown: to = at + std::max(1, b.largeChange); break;
    case keys::Home: to = 0; break;
    case keys::End: to = span; break;
    default: return false;
  }
  stopPlay();
  (void)setBar(id, b.range.min + std::clamp(to, 0, span) * towardsMax);
  return true;
}

void Lab::moveActive(float dx, float dy) {
  const ShapeCentre c = CentreOf(controls_.marker(active_));
  const float x = c.x + dx, y = c.y + dy;
  // The marker itself is taken, even where the other one covers its centre.
  DraggingSource = active_ == Marker::Source;
  DraggingPoint = active_ == Marker::Entry;
  DraggingTarget = false;
  Form_MouseMove(kLeftButton, 0, x, y);
  Form_MouseUp(kLeftButton, 0, x, y);
}

void Lab::moveEntryTo(double x, double y) {
  DraggingSource = false;
  DraggingPoint = true;
  DraggingTarget = false;
  // The marker takes Single positions, as a pointer's are.
  Form_MouseMove(kLeftButton, 0, static_cast<float>(x), static_cast<float>(y));
  Form_MouseUp(kLeftButton, 0, static_cast<float>(x), static_cast<float>(y));
}

core::Point Lab::alongFace(double step) const {
  const ShapeCentre marker = CentreOf(controls_.shmeio);
  if (const MirrorShape* m = mirror()) {
    // The mirror's parameter is no arc length: the step is divided by the
    // speed |dP/du| where the point stands, and held within the mirror.
    const optics::Mirror& mm = m->mirror;
    const double u = core::NearestParameter(mm, marker.x, marker.y);
    const optics::MirrorPoint p = mm.at(u);
    const double speed = std::hypot(p.Dx, p.Dy);
    const double next = std::clamp(u + (speed > 0 ? step / speed : 0.0), mm.uMin(), mm.uMax());
    const optics::MirrorPoint q = mm.at(next);
    return {q.X, q.Y};
  }
  if (medium()) return {marker.x, marker.y + step};
  // A sphere's parameter is its polar angle (arc length over the radius), a
  // flat face's its height; held within the rims.
  const optics::Lens& lens = scene().lens();
  const optics::Face& face = lens.First;
  const double u = optics::ParameterOf(face, marker.x, marker.y, lens.Pi);
  const double rim = optics::RimParameter(face, lens.HalfAperture);
  const double next = std::clamp(u + step / (face.Flat ? 1.0 : face.Radius), -rim, rim);
  const optics::FacePoint q = optics::PointOf(face, next);
  return {q.X, q.Y};
}

}  // namespace lab
