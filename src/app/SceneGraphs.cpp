#include "app/SceneGraphs.h"

#include "canvas/Form.h"
#include "constructions/Bundle.h"
#include "scene/SceneState.h"

#include <cmath>

namespace app {

graphs::CurveData CurrentCurve(const canvas::Form& f, const scene::SceneState& s) {
  const scene::ShapeCentre source = scene::CentreOf(f.kyklos);
  const scene::ShapeCentre hand = scene::CentreOf(f.shmeio);
  const scene::WorldPoint target = scene::TargetPoint(f.thesiy.Value(), s);
  return graphs::TravelTimeCurve({source.x, source.y, target.x, target.y, hand.x, hand.y}, s.lens());
}

std::vector<graphs::BundleRayRow> CurrentBundle(const scene::SceneState& s) {
  const std::size_t count = s.ExitX.size();
  std::vector<graphs::BundleRayRow> rows(count);
  const double toDeg = 180.0 / s.Pi;  // as the angle labels convert
  for (std::size_t i = 0; i < count; ++i) {
    graphs::BundleRayRow& r = rows[i];
    r.exitX = s.ExitX[i];
    r.exitY = s.ExitY[i];
    r.entryX = s.EntryX[i];
    r.entryY = s.EntryY[i];
    r.arrivalTime = s.ArrivalTime[i];
    r.incidenceDeg = std::abs(constructions::ExitIncidence(s, static_cast<int>(i))) * toDeg;
    if (i < s.Continuations.size()) r.continuation = s.Continuations[i];
  }
  return rows;
}

}  // namespace app
