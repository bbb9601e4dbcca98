// The event procedures: what the form's load, a mouse press, move and
// release on the picture, a scroll bar's change and each button's click do.
#include "core/Bundle.h"
#include "core/LeastTimeRay.h"
#include "core/MirrorBundle.h"
#include "core/RayContinuation.h"
#include "core/Wavelets.h"
#include "lab/Captions.h"
#include "lab/Lab.h"
#include "lab/StaticScene.h"
#include "optics/Geometry.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace lab {

void Lab::Form_Load() {
  controls_.Label5.setCaption(RaysPhrase(controls_.arithmosaktinon.value, true));
  controls_.Label6.setCaption(TimePhrase(controls_.xronosmetato.value, true));
}

void Lab::Form_MouseDown(int, int, float x, float y) {
  // The entry point is tested first: where the two overlap, it is taken.
  if (Hits(controls_.shmeio, x, y)) {
    DraggingPoint = true;
    DraggingSource = DraggingTarget = false;
    return;
  }
  DraggingSource = Hits(controls_.kyklos, x, y);
  DraggingPoint = false;
  DraggingTarget = ownTarget() && !DraggingSource && HitsTarget(surface_, target_, x, y);
}

void Lab::Form_MouseMove(int, int, float x, float y) {
  if (DraggingPoint) {
    CentreOn(controls_.shmeio, x, y);
  } else if (DraggingSource) {
    CentreOn(controls_.kyklos, x, y);
  } else if (DraggingTarget) {
    target_ = InsideFrame({x, y}, scene_);
  }
}

void Lab::Form_MouseUp(int, int, float x, float y) {
  if (medium_) {
    if (dragging()) mediumMouseUp(x, y);
    return;
  }
  if (mirror_) {
    if (dragging()) mirrorMouseUp(x, y);
    return;
  }
  ShapeCentre s = CentreOf(controls_.kyklos);
  ShapeCentre p = CentreOf(controls_.shmeio);
  if (DraggingPoint) {
    DraggingPoint = false;
    p = {x, y};
  } else if (DraggingSource) {
    DraggingSource = false;
    s = {x, y};
  } else {
    return;
  }
  updatePath(drawDragPath(s, p));
}

double Lab::drawDragPath(ShapeCentre s, ShapeCentre p) {
  const core::Point t = TargetPoint(controls_.thesiy.value, scene_);
  surface_.Cls();
  RedrawScene(surface_, controls_, scene_);
  surface_.Line(s.x, s.y, p.x, p.y);
  surface_.LineTo(t.x, t.y);
  // First leg in air, second in glass, whatever the positions.
  const double time = optics::PathTime(s.x, s.y, p.x, p.y, t.x, t.y, scene_.SpeedOutside, scene_.SpeedInside);
  controls_.Label2.setCaption(PathTimePhrase(time));
  return time;
}

void Lab::thesiy_Change() {
  surface_.Cls();
  controls_.Label1.setCaption(HeightPhrase(controls_.thesiy.value));
  RedrawScene(surface_, controls_, scene_);
  updatePath(results_.path().Time);
}

void Lab::arithmosaktinon_Change() {
  controls_.Label5.setCaption(RaysPhrase(controls_.arithmosaktinon.value, false));
}

void Lab::xronosmetato_Change() {
  if (medium_) {
    mediumTimeChange();
    return;
  }
  if (mirror_) {
    mirrorTimeChange();
    return;
  }
  const Inputs in = readInputs();
  const optics::Lens lens = scene_.lens();
  const LabelPhrase time = TimePhrase(in.slider, false);
  // The continuation does not depend on the slider: when the last one was
  // made for this source, ray count and frame, only the wavelets are new.
  // While its steps run no input is taken, so the stored one stays put.
  const core::BundleContinuationResult* last =
      results_.bundleContinuation() ? &*results_.bundleContinuation() : nullptr;
  const bool reuse = reuse_ && last && core::ContinuesFrom(*last, in.frame, in.source, in.rays);
  const SliderKey key = sliderKey(in);
  if (reuse && sliderPicture_ && sliderPicture_->key == key && sliderPicture_->serial == results_.continuationSerial()) {
    // Everything up to the second generation is what the last change drew:
    // the cleared surface, the static scene, the construction, its captions
    // and the first generation.
    auto w = std::make_shared<core::BundleWavelets>(core::WaveletsAt(*last, lens, in.slider));
    surface_.replay(sliderPicture_->drawn);
    controls_.Label6.setCaption(time);
    draw(sliderPicture_->captions);
    draw(core::SecondGeneration(*w));
    then([this, w] { results_.setBundleWavelets(std::move(*w)); });
    run();
    return;
  }
  const Surface::Mark start = surface_.mark();
  surface_.Cls();
  RedrawScene(surface_, controls_, scene_);
  controls_.Label6.setCaption(time);
  std::shared_ptr<core::BundleContinuationResult> fresh;
  if (!reuse) fresh = std::make_shared<core::BundleContinuationResult>(core::ContinueBundle(lens, in.frame, in.source, in.rays));
  const core::BundleContinuationResult* c = fresh ? fresh.get() : last;
  auto w = std::make_shared<core::BundleWavelets>(core::WaveletsAt(*c, lens, in.slider));
  draw(core::WithoutSecondGeneration(*c, *w));
  then([this, fresh, c, w, key, start] {
    auto picture = std::make_shared<std::optional<SliderPicture>>(takeSliderPicture(key, *c, start));
    draw(core::SecondGeneration(*w));
    then([this, fresh, w, picture] {
      if (fresh) {
        results_.setBundleContinuation(std::move(*fresh), std::move(*w));
      } else {
        results_.setBundleWavelets(std::move(*w));
      }
      sliderPicture_ = std::move(*picture);
      if (sliderPicture_) sliderPicture_->serial = results_.continuationSerial();
    });
  });
  run();
}

Lab::SliderKey Lab::sliderKey(const Inputs& in) const {
  DrawingState entry = surface_.drawingState();
  entry.currentX = entry.currentY = 0;  // Cls resets the current point
  return {.entry = entry, .height = in.height, .source = in.source, .rays = in.rays, .frame = in.frame};
}

std::optional<Lab::SliderPicture> Lab::takeSliderPicture(const SliderKey& key, const core::BundleContinuationResult& c,
                                                         Surface::Mark start) const {
  // A message opens between two drawing operations; a picture taken whole
  // would show it over the finished drawing, so such a construction is
  // always drawn step by step.
  core::Drawing captions;
  for (const core::DrawOp& op : c.Construction.ops) {
    if (op.kind == core::DrawOp::Kind::Message) return std::nullopt;
    if (op.kind == core::DrawOp::Kind::Caption) captions.ops.push_back(op);
  }
  return SliderPicture{.key = key, .drawn = surface_.drawnSince(start), .captions = std::move(captions)};
}

Lab::Inputs Lab::readInputs() const {
  const ShapeCentre s = CentreOf(controls_.kyklos);
  return {.source = {s.x, s.y},
          .height = controls_.thesiy.value,
          .rays = controls_.arithmosaktinon.value,
          .slider = controls_.xronosmetato.value,
          .frame = scene_.frame()};
}

void Lab::updatePath(std::optional<double> time) {
  const ShapeCentre s = CentreOf(controls_.kyklos), p = CentreOf(controls_.shmeio);
  results_.setPath({.Source = {s.x, s.y},
                    .Entry = {p.x, p.y},
                    .Target = ownTarget() ? target_ : TargetPoint(controls_.thesiy.value, scene_),
                    .Time = time});
}

void Lab::Command1_Click() {
  if (medium_) {
    mediumCommand1();
    return;
  }
  if (mirror_) {
    mirrorCommand1();
    return;
  }
  const Inputs in = readInputs();
  auto r = std::make_shared<core::FermatResult>(core::PositionByFermat(scene_.lens(), in.source, in.height));
  draw(r->drawing);
  then([this, r] {
    const std::optional<double> time = r->Found ? std::optional(r->Time) : results_.path().Time;
    results_.setFermat(std::move(*r));
    updatePath(time);
  });
  run();
}

void Lab::Command2_Click() {
  if (medium_) {
    mediumBundle(Fronts::None);
    return;
  }
  if (mirror_) {
    mirrorCommand2();
    return;
  }
  const Inputs in = readInputs();
  auto b = std::make_shared<core::BundleResult>(core::TraceBundle(scene_.lens(), in.source, in.rays, true));
  draw(b->drawing);
  then([this, b] { results_.setBundle(std::move(*b), std::nullopt); });
  run();
}

void Lab::Command3_Click() {
  if (medium_) {
    mediumBundle(Fronts::Ten);
    return;
  }
  if (mirror_) {
    mirrorWaves(false);
    return;
  }
  const Inputs in = readInputs();
  const optics::Lens lens = scene_.lens();
  auto b = std::make_shared<core::BundleResult>(core::TraceBundle(lens, in.source, in.rays, true));
  auto w = std::make_shared<core::WaveletsResult>(core::FirstWavelets(lens, *b));
  draw(b->drawing);
  draw(w->drawing);
  then([this, b, w] { results_.setBundle(std::move(*b), std::move(*w)); });
  run();
}

void Lab::Command4_Click() {
  if (medium_) {
    mediumCommand4();
    return;
  }
  if (mirror_) {
    const Inputs in = readInputs();
    auto r = std::make_shared<core::MirrorRayResult>(
        core::ContinueMirrorRay(mirror_->mirror, in.source, target_, in.frame, scene_.SpeedOutside));
    draw(r->drawing);
    // The entry marker moved onto the path's point: the path and its time follow.
    then([this, r] { updatePath(r->Time ? r->Time : results_.path().Time); });
    run();
    return;
  }
  const Inputs in = readInputs();
  auto r = std::make_shared<core::RayContinuationResult>(core::ContinueRay(scene_.lens(), in.source, in.height));
  draw(r->drawing);
  then([this, r] { results_.setRayContinuation(std::move(*r)); });
  run();
}

void Lab::Command5_Click() {
  if (medium_) {
    mediumBundle(Fronts::AtTimeBar);
    return;
  }
  if (mirror_) {
    mirrorWaves(true);
    return;
  }
  const Inputs in = readInputs();
  const optics::Lens lens = scene_.lens();
  auto c = std::make_shared<core::BundleContinuationResult>(core::ContinueBundle(lens, in.frame, in.source, in.rays));
  auto w = std::make_shared<core::BundleWavelets>(core::WaveletsAt(*c, lens, in.slider));
  draw(core::BundleContinuationDrawing(*c, *w));
  then([this, c, w] { results_.setBundleContinuation(std::move(*c), std::move(*w)); });
  run();
}

void Lab::clickButton(int button) {
  if (!buttonEnabled(button)) return;
  switch (button) {
    case 1: Command1_Click(); break;
    case 2: Command2_Click(); break;
    case 3: Command3_Click(); break;
    case 4: Command4_Click(); break;
    case 5: Command5_Click(); break;
    default: break;
  }
}

bool Lab::changeBar(BarId id, int value) {
  Bar& b = controls_.bar(id);
  if (!b.range.contains(value)) return false;
  if (value == b.value) return true;
  b.value = value;
  switch (id) {
    case BarId::Height: thesiy_Change(); break;
    case BarId::Rays: arithmosaktinon_Change(); break;
    case BarId::Time: xronosmetato_Change(); break;
  }
  if (afterChange) afterChange(id);
  return true;
}

}  // namespace lab
