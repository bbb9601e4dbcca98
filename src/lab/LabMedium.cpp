// The medium scene: taking a medium, the path through a chosen point, and
// the constructions a graded medium has (its stationary paths checked by the
// ray equation, the bundle, its fronts, the continued ray).
#include "core/MediumBundle.h"
#include "core/MediumFermat.h"
#include "lab/Captions.h"
#include "lab/Lab.h"
#include "lab/StaticScene.h"
#include "optics/RayEquation.h"

#include <cmath>
#include <memory>

namespace lab {

std::string Lab::setMedium(const std::optional<optics::MediumDesign>& design) {
  if (busy()) return "a message is open";
  std::optional<MediumShape> shape;
  if (design) {
    optics::MediumBuild built = optics::MakeMedium(*design);
    if (!built.medium) return built.error;
    shape = ShapeOf(*design, *built.medium, scene_.frame());
  }
  Placement here = placement();
  if (shape && (!medium_ || !(medium_->design.Profile == design->Profile))) {
    // From another scene or profile: the medium's own start positions.
    here.sourceX = static_cast<float>(shape->sourceStart.x);
    here.sourceY = static_cast<float>(shape->sourceStart.y);
    here.targetX = static_cast<float>(shape->targetStart.x);
    here.targetY = static_cast<float>(shape->targetStart.y);
    here.entryX = static_cast<float>((shape->sourceStart.x + shape->targetStart.x) / 2);
    here.entryY = static_cast<float>((shape->sourceStart.y + shape->targetStart.y) / 2);
  }
  if (!shape && (medium_ || mirror_)) {
    // Back to the lens: the target waits at the mirror scene's start.
    here.targetX = static_cast<float>(kMirrorTargetStart.x);
    here.targetY = static_cast<float>(kMirrorTargetStart.y);
  }
  lesson_.clear();
  mirror_.reset();
  medium_ = std::move(shape);
  restart(here);
  return {};
}

double Lab::drawMediumPath(ShapeCentre s, ShapeCentre p, core::Point t) {
  surface_.Cls();
  RedrawMediumScene(surface_, scene_, *medium_, t);
  const core::ViaPath via = core::PathThrough(medium_->medium, {s.x, s.y}, {p.x, p.y}, t);
  const std::vector<core::Point>& pts = via.Points;
  if (pts.size() >= 2) {
    surface_.Line(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
    for (std::size_t i = 2; i < pts.size(); ++i) surface_.LineTo(pts[i].x, pts[i].y);
  }
  controls_.Label2.setCaption(PathTimePhrase(via.Time ? *via.Time : NAN));
  return via.Time ? *via.Time : NAN;
}

void Lab::followMediumBundle(ShapeCentre s, core::Point t, bool warm) {
  const auto& last = results_.mediumBundle();
  if (!last || !results_.mediumBundleLast() || last->Rays != controls_.arithmosaktinon.value) return;
  auto b = std::make_shared<core::MediumBundleResult>(core::MediumBundle(
      medium_->medium, {s.x, s.y}, t, last->Rays, scene_.frame(), warm ? &*last : nullptr));
  for (const core::DrawOp& op : b->drawing.ops) apply(op);
  results_.setMediumBundle(std::move(*b), std::nullopt);
}

void Lab::mediumMouseUp(float x, float y) {
  ShapeCentre s = CentreOf(controls_.kyklos);
  ShapeCentre p = CentreOf(controls_.shmeio);
  if (DraggingPoint) {
    const core::Point at = InsideFrame({x, y}, scene_);
    p = {static_cast<float>(at.x), static_cast<float>(at.y)};
    CentreOn(controls_.shmeio, p.x, p.y);
  } else if (DraggingSource) {
    const core::Point at = InsideFrame({x, y}, scene_);
    s = {static_cast<float>(at.x), static_cast<float>(at.y)};
    CentreOn(controls_.kyklos, s.x, s.y);
  } else {
    target_ = InsideFrame({x, y}, scene_);
  }
  const bool moved = DraggingSource || DraggingTarget;
  DraggingPoint = DraggingSource = DraggingTarget = false;
  const double time = drawMediumPath(s, p, target_);
  if (moved) followMediumBundle(s, target_, false);
  updatePath(std::isfinite(time) ? std::optional(time) : std::nullopt);
}

void Lab::mediumCommand1() {
  const Inputs in = readInputs();
  auto r = std::make_shared<core::MediumFermatResult>(core::MediumPositionByFermat(medium_->medium, in.source, target_));
  draw(r->drawing);
  then([this, r] {
    const std::optional<double> time = r->Paths.empty() ? results_.path().Time : std::optional(r->Paths.front().Path.time);
    results_.setMediumFermat(std::move(*r));
    updatePath(time);
  });
  run();
}

void Lab::mediumBundle(Fronts fronts) {
  const Inputs in = readInputs();
  // The bundle last built serves again while nothing it was made from has moved.
  const auto& last = results_.mediumBundle();
  const bool same = last && last->Source == in.source && last->Target.x == target_.x && last->Target.y == target_.y &&
                    last->Rays == in.rays && last->Bounds == in.frame;
  auto b = std::make_shared<core::MediumBundleResult>(
      same ? *last : core::MediumBundle(medium_->medium, in.source, target_, in.rays, in.frame));
  std::optional<double> front;
  std::vector<double> times;
  if (fronts == Fronts::Ten) {
    for (int k = 1; k <= 10; ++k) times.push_back(b->LongestTime * k / 10);
  } else if (fronts == Fronts::AtTimeBar) {
    front = b->LongestTime * in.slider / kTimeRange.max;
    times.push_back(*front);
  }
  draw(b->drawing);
  draw(core::FrontsDrawing(*b, times, fronts == Fronts::AtTimeBar ? 2 : 1));
  then([this, b, front] { results_.setMediumBundle(std::move(*b), front); });
  run();
}

void Lab::mediumCommand4() {
  // The least-time path, and the ray equation's ray along it continued past
  // the target to the frame's edge.
  const Inputs in = readInputs();
  auto r = std::make_shared<core::MediumFermatResult>(core::MediumPositionByFermat(medium_->medium, in.source, target_));
  core::Drawing d;
  if (r->Paths.empty()) {
    d = r->drawing;
  } else {
    const optics::CurvedPath& p = r->Paths.front().Path;
    const double length = optics::PolylineLength(p.points);
    const double reach = length + 4.0 * (in.frame.XMax + in.frame.YMax);
    const std::vector<optics::PlanePoint> ray =
        optics::IntegrateRay(medium_->medium, p.points.front(), p.directionX, p.directionY, reach, length / 2000);
    d.DrawWidth(2);
    d.Polyline(p.points, core::kMinimumPathColour);
    d.DrawWidth(1);
    // Past the target: from the ray's point nearest it, as far as the frame.
    std::size_t from = 0;
    double nearest = INFINITY;
    for (std::size_t i = 0; i < ray.size(); ++i) {
      const double dist = std::hypot(ray[i].x - target_.x, ray[i].y - target_.y);
      if (dist < nearest) {
        nearest = dist;
        from = i;
      }
    }
    const auto inside = [&](const optics::PlanePoint& q) {
      return std::abs(q.x) <= in.frame.XMax && std::abs(q.y) <= in.frame.YMax;
    };
    d.DrawStyle(1);  // dashed
    for (std::size_t i = from + 1; i < ray.size() && inside(ray[i]); i += 4) {
      if (i == from + 1) {
        d.Line(ray[from].x, ray[from].y, ray[i].x, ray[i].y, numeric::kRed);
      } else {
        d.LineTo(ray[i].x, ray[i].y, numeric::kRed);
      }
    }
    d.DrawStyle(0);
    for (const core::DrawOp& op : r->drawing.ops) {
      if (op.kind == core::DrawOp::Kind::Caption || op.kind == core::DrawOp::Kind::MoveEntry) d.ops.push_back(op);
    }
  }
  draw(d);
  then([this, r] {
    const std::optional<double> time = r->Paths.empty() ? results_.path().Time : std::optional(r->Paths.front().Path.time);
    results_.setMediumFermat(std::move(*r));
    updatePath(time);
  });
  run();
}

void Lab::mediumTimeChange() {
  surface_.Cls();
  RedrawMediumScene(surface_, scene_, *medium_, target_);
  controls_.Label6.setCaption(TimePhrase(controls_.xronosmetato.value, false));
  mediumBundle(Fronts::AtTimeBar);
}

}  // namespace lab
