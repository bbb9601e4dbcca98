// The lab's life: its start, a restart with a new lens or the same, the
// markers' and bars' placement, the journal of inputs, the captions.
#include "lab/Lab.h"

#include "lab/Captions.h"
#include "lab/StaticScene.h"

#include <algorithm>
#include <utility>

namespace lab {

Lab::Lab(Size clientPixels, PixelSink* sink)
    : client_(clientPixels), sink_(sink), surface_(clientPixels, sink), controls_(surface_) {
  Form_Load();
}

void Lab::setClientSize(Size clientPixels) {
  client_ = clientPixels;
  const bool logging = surface_.logging();
  if (sink_) sink_->reset(clientPixels);
  surface_ = Surface(clientPixels, sink_);
  surface_.setLogging(logging);
  controls_.restoreDesign(surface_);
  Form_Load();
}

void Lab::buildScene() {
  buildStaticScene();
  updatePath(std::nullopt);
  startPlacement_ = placement();
  journal_.clear();
  journalActive_ = active_;
}

void Lab::reset() {
  const FollowChallenge following{*this};
  restart(std::nullopt);
}

std::string Lab::setLens(const optics::LensDesign& design) {
  if (busy()) return "a message is open";
  optics::LensBuild built = optics::MakeLens(design);
  if (!built.lens) return built.error;
  const Placement here = placement();
  lesson_.clear();
  lensDesign_ = design;
  lens_ = *built.lens;
  restart(here);
  return {};
}

Placement Lab::placement() const {
  const ShapeCentre s = CentreOf(controls_.kyklos), p = CentreOf(controls_.shmeio);
  return {.sourceX = s.x, .sourceY = s.y, .entryX = p.x, .entryY = p.y, .height = controls_.thesiy.value,
          .rays = controls_.arithmosaktinon.value, .time = controls_.xronosmetato.value,
          .targetX = static_cast<float>(target_.x), .targetY = static_cast<float>(target_.y)};
}

void Lab::restart(const Placement& p) { restart(std::optional(p)); }

void Lab::restart(const std::optional<Placement>& p) {
  sweep_ = Sweep{};
  dragPending_.reset();
  active_ = Marker::Source;
  queue_.clear();
  message_.reset();
  holding_ = false;
  held_.clear();
  bars_ = {};
  DraggingPoint = DraggingSource = DraggingTarget = false;
  sliderPicture_.reset();
  const bool logging = surface_.logging();
  if (sink_) sink_->reset(client_);
  surface_ = Surface(client_, sink_);
  surface_.setLogging(logging);
  controls_.restoreDesign(surface_);
  if (p) placeBars(*p);
  scene_ = SceneState{};
  Form_Load();
  results_.restore({});
  // A reset puts the mirror scene's markers at its start positions.
  const Placement mirrorStart{.sourceX = static_cast<float>(kMirrorSourceStart.x),
                              .sourceY = static_cast<float>(kMirrorSourceStart.y)};
  // And the medium scene's at the medium's.
  const Placement mediumStart =
      medium_ ? Placement{.sourceX = static_cast<float>(medium_->sourceStart.x),
                          .sourceY = static_cast<float>(medium_->sourceStart.y),
                          .entryX = static_cast<float>((medium_->sourceStart.x + medium_->targetStart.x) / 2),
                          .entryY = static_cast<float>((medium_->sourceStart.y + medium_->targetStart.y) / 2),
                          .targetX = static_cast<float>(medium_->targetStart.x),
                          .targetY = static_cast<float>(medium_->targetStart.y)}
              : Placement{};
  const Placement& markers = p ? *p : medium_ ? mediumStart : mirrorStart;
  if (ownTarget()) target_ = {markers.targetX, markers.targetY};
  buildStaticScene();
  // The markers' places are world points: the frame must be the scene's.
  if (p || ownTarget()) placeMarkers(markers);
  updatePath(std::nullopt);
  settle();
  startPlacement_ = placement();
  startParallelBeam_ = parallelBeam_;
  journal_.clear();
  journalActive_ = active_;
}

void Lab::placeMarkers(const Placement& p) {
  if (medium_) {
    // In the medium scene every marker stays inside the frame.
    const core::Point s = InsideFrame({p.sourceX, p.sourceY}, scene_), e = InsideFrame({p.entryX, p.entryY}, scene_);
    CentreOn(controls_.kyklos, static_cast<float>(s.x), static_cast<float>(s.y));
    CentreOn(controls_.shmeio, static_cast<float>(e.x), static_cast<float>(e.y));
    return;
  }
  if (!mirror_) {
    CentreOn(controls_.kyklos, p.sourceX, p.sourceY);
    CentreOn(controls_.shmeio, p.entryX, p.entryY);
    return;
  }
  // In the mirror scene the markers stay inside the frame and the entry
  // point (the guessed reflection point) on the mirror.
  const core::Point s = InsideFrame({p.sourceX, p.sourceY}, scene_);
  CentreOn(controls_.kyklos, static_cast<float>(s.x), static_cast<float>(s.y));
  const ShapeCentre e = onMirror({p.entryX, p.entryY});
  CentreOn(controls_.shmeio, e.x, e.y);
}

void Lab::placeBars(const Placement& p) {
  auto clamp = [](Bar& bar, int v) {
    const int low = std::min(bar.range.min, bar.range.max), high = std::max(bar.range.min, bar.range.max);
    bar.value = std::clamp(v, low, high);
  };
  clamp(controls_.thesiy, p.height);
  clamp(controls_.arithmosaktinon, p.rays);
  clamp(controls_.xronosmetato, p.time);
}

void Lab::setActiveMarker(Marker m) { active_ = m; }

void Lab::record(const Action& a) {
  // Of a drag's moves only the last counts: each draws over the one before.
  if (a.kind == Action::Kind::MouseMove && !journal_.empty() && journal_.back().kind == Action::Kind::MouseMove) {
    journal_.back() = a;
    return;
  }
  journal_.push_back(a);
}

void Lab::recordSweepEnd() {
  // A sweep ends as one change of the bar to where it stopped would, and one
  // that ran out as a sweep from the same start: that also covers one begun
  // at the maximum, which went round through the minimum.
  const int v = controls_.xronosmetato.value;
  if (v == kTimeRange.max) {
    record({.kind = Action::Kind::Play});
  } else if (v != sweep_.from) {
    record({.kind = Action::Kind::Time, .value = v});
  }
}

std::vector<Action> Lab::journal() const {
  std::vector<Action> out = journal_;
  if (sweep_.running && controls_.xronosmetato.value != sweep_.from) {
    out.push_back({.kind = Action::Kind::Time, .value = controls_.xronosmetato.value});
  }
  // The marker the arrow keys move is part of the state: a replay that ends
  // with the other one active would send the next arrow to the wrong marker.
  if (active_ != journalActive_) {
    out.push_back({.kind = Action::Kind::Active, .value = active_ == Marker::Entry ? 1 : 0});
  }
  return out;
}

std::array<LabelPhrase, 6> Lab::phrases() const {
  std::array<LabelPhrase, 6> out;
  const auto labels = controls_.labels();
  for (std::size_t i = 0; i < labels.size(); ++i) out[i] = labels[i]->phrase();
  return out;
}

std::array<std::string, 6> Lab::captions() const {
  std::array<std::string, 6> out;
  const auto labels = controls_.labels();
  for (std::size_t i = 0; i < labels.size(); ++i) out[i] = labels[i]->caption();
  return out;
}

}  // namespace lab
