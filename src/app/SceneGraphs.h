#pragma once

#include "graphs/BundleRayRow.h"
#include "graphs/TravelTimeCurve.h"
#include "optics/Lens.h"

#include <vector>

namespace app {

class SceneModel;

// The travel-time curve for the path the model holds: the source and the hand
// path's entry point where the markers stand, the target point from the height.
[[nodiscard]] graphs::CurveData CurrentCurve(const SceneModel& model, const optics::Lens& lens);

// One row per ray of the last bundle, as the constructions left it (with what
// the continuation did with each ray, if the last bundle was continued);
// empty before any bundle.
[[nodiscard]] std::vector<graphs::BundleRayRow> CurrentBundle(const SceneModel& model, const optics::Lens& lens);

}  // namespace app
