#include "app/SceneGraphs.h"

#include "app/SceneModel.h"
#include "core/Inputs.h"

#include <cmath>

namespace app {

graphs::CurveData CurrentCurve(const SceneModel& model, const optics::Lens& lens) {
  const SceneModel::Path& p = model.path();
  return graphs::TravelTimeCurve({p.Source.x, p.Source.y, p.Target.x, p.Target.y, p.Entry.x, p.Entry.y}, lens);
}

std::vector<graphs::BundleRayRow> CurrentBundle(const SceneModel& model, const optics::Lens& lens) {
  std::vector<graphs::BundleRayRow> rows;
  if (!model.bundle()) return rows;
  const double toDeg = core::ToDegrees(lens);  // as the angle labels convert
  rows.reserve(model.bundle()->Rays.size());
  for (const core::BundleRay& ray : model.bundle()->Rays) {
    graphs::BundleRayRow& r = rows.emplace_back();
    r.exitX = ray.ExitX;
    r.exitY = ray.ExitY;
    r.entryX = ray.EntryX;
    r.entryY = ray.EntryY;
    r.arrivalTime = ray.ArrivalTime;
    r.incidenceDeg = std::abs(ray.Incidence) * toDeg;
    if (ray.Continued) {
      r.continuation.drawn = ray.RedLineDrawn;
      r.continuation.endX = ray.RedLine.x2;
      r.continuation.endY = ray.RedLine.y2;
      if (ray.RatioDefined) r.continuation.ratio = ray.Ratio;
    }
  }
  return rows;
}

}  // namespace app
