// The mirror scene: taking a mirror, the target marker, the guessed
// reflection point on the mirror, and the constructions a mirror has.
#include "core/MirrorBundle.h"
#include "core/MirrorFermat.h"
#include "lab/Captions.h"
#include "lab/Lab.h"
#include "lab/StaticScene.h"

#include <cmath>
#include <memory>

namespace lab {

static_assert(Placement{}.targetX == kMirrorTargetStart.x && Placement{}.targetY == kMirrorTargetStart.y,
              "a placement without a target stands at the mirror scene's start");

std::string Lab::setMirror(const std::optional<optics::MirrorDesign>& design) {
  if (busy()) return "a message is open";
  std::optional<MirrorShape> shape;
  if (design) {
    optics::MirrorBuild built = optics::MakeMirror(*design);
    if (!built.mirror) return built.error;
    shape = ShapeOf(*design, *built.mirror);
  }
  Placement here = placement();
  if (shape && !mirror_) {
    medium_.reset();
    // From the lens scene: the mirror scene's own start positions.
    here.sourceX = static_cast<float>(kMirrorSourceStart.x);
    here.sourceY = static_cast<float>(kMirrorSourceStart.y);
    here.targetX = static_cast<float>(kMirrorTargetStart.x);
    here.targetY = static_cast<float>(kMirrorTargetStart.y);
    here.entryX = here.entryY = 0;
  }
  if (!shape && medium_) {
    // No mirror from the medium scene: the lens scene again.
    medium_.reset();
    here.targetX = static_cast<float>(kMirrorTargetStart.x);
    here.targetY = static_cast<float>(kMirrorTargetStart.y);
  }
  if (!shape && mirror_) {
    // Back to the lens: the target waits at its start for the next mirror.
    here.targetX = static_cast<float>(kMirrorTargetStart.x);
    here.targetY = static_cast<float>(kMirrorTargetStart.y);
  }
  lesson_.clear();
  mirror_ = std::move(shape);
  restart(here);
  return {};
}

bool Lab::setParallelBeam(bool on) {
  if (busy()) return false;
  if (on == parallelBeam_) return true;
  parallelBeam_ = on;
  record({.kind = Action::Kind::Beam, .value = on ? 1 : 0});
  return true;
}

void Lab::buildStaticScene() {
  if (medium_) {
    FrameScene(surface_, controls_, scene_, lens_);
    target_ = InsideFrame(target_, scene_);
    medium_->edges = ShapeOf(medium_->design, medium_->medium, scene_.frame()).edges;
    BuildMediumScene(surface_, controls_, scene_, *medium_, target_);
    return;
  }
  if (!mirror_) {
    BuildScene(surface_, controls_, scene_, lens_);
    return;
  }
  FrameScene(surface_, controls_, scene_, lens_);
  // A target outside the frame could never be taken again.
  target_ = InsideFrame(target_, scene_);
  BuildMirrorScene(surface_, controls_, scene_, *mirror_, target_);
}

ShapeCentre Lab::onMirror(ShapeCentre p) const {
  const optics::Mirror& m = mirror_->mirror;
  const optics::MirrorPoint at = m.at(core::NearestParameter(m, p.x, p.y));
  return {static_cast<float>(at.X), static_cast<float>(at.Y)};
}

double Lab::drawMirrorPath(ShapeCentre s, ShapeCentre p, core::Point t) {
  surface_.Cls();
  RedrawMirrorScene(surface_, scene_, *mirror_, t);
  surface_.Line(s.x, s.y, p.x, p.y);
  surface_.LineTo(t.x, t.y);
  // Both legs in air: the mirror only turns the light.
  const double time = (std::hypot(p.x - s.x, p.y - s.y) + std::hypot(t.x - p.x, t.y - p.y)) / scene_.SpeedOutside;
  controls_.Label2.setCaption(PathTimePhrase(time));
  return time;
}

void Lab::mirrorMouseUp(float x, float y) {
  ShapeCentre s = CentreOf(controls_.kyklos);
  if (DraggingPoint) {
    const ShapeCentre p = onMirror({x, y});
    CentreOn(controls_.shmeio, p.x, p.y);
  } else if (DraggingSource) {
    s = {x, y};
  } else {
    target_ = InsideFrame({x, y}, scene_);
  }
  DraggingPoint = DraggingSource = DraggingTarget = false;
  updatePath(drawMirrorPath(s, CentreOf(controls_.shmeio), target_));
}

void Lab::mirrorCommand1() {
  const Inputs in = readInputs();
  auto r = std::make_shared<core::MirrorFermatResult>(
      core::MirrorPositionByFermat(mirror_->mirror, in.source, target_, scene_.SpeedOutside));
  draw(r->drawing);
  then([this, r] {
    const std::optional<double> time =
        r->Least ? std::optional(r->Stationary.Points[*r->Least].Time) : results_.path().Time;
    results_.setMirrorFermat(std::move(*r));
    updatePath(time);
  });
  run();
}

void Lab::mirrorCommand2() {
  const Inputs in = readInputs();
  auto b = std::make_shared<core::MirrorBundleResult>(
      core::ReflectBundle(mirror_->mirror, in.source, in.rays, in.frame, scene_.SpeedOutside, parallelBeam_));
  draw(b->drawing);
  then([this, b] { results_.setMirrorBundle(std::move(*b)); });
  run();
}

void Lab::mirrorWaves(bool front) {
  const Inputs in = readInputs();
  auto w = std::make_shared<core::MirrorWavesResult>(core::MirrorWaves(
      mirror_->mirror, in.source, in.rays, in.frame, scene_.SpeedOutside, in.slider, true, front, parallelBeam_));
  draw(w->drawing);
  then([this, w] { results_.setMirrorWaves(std::move(*w)); });
  run();
}

void Lab::mirrorTimeChange() {
  // As the lens's time bar: the picture drawn afresh with the waves at the new time.
  surface_.Cls();
  RedrawMirrorScene(surface_, scene_, *mirror_, target_);
  controls_.Label6.setCaption(TimePhrase(controls_.xronosmetato.value, false));
  mirrorWaves(true);
}

bool Lab::buttonEnabled(int button) const {
  const auto buttons = controls_.buttons();
  return button >= 1 && button <= 5 && buttons[static_cast<std::size_t>(button - 1)]->enabled;
}

}  // namespace lab
