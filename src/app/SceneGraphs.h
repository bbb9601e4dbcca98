#pragma once

#include "graphs/BundleRayRow.h"
#include "graphs/TravelTimeCurve.h"

#include <vector>

namespace canvas {
class Form;
}
namespace scene {
struct SceneState;
}

namespace app {

// The travel-time curve for the scene as it stands: source at the centre of
// kyklos, target point from thesiy, the hand path through the centre of shmeio.
[[nodiscard]] graphs::CurveData CurrentCurve(const canvas::Form& form, const scene::SceneState& s);

// One row per ray of the last bundle, read from the arrays the constructions
// filled (and what the last continuation recorded); empty before any bundle.
[[nodiscard]] std::vector<graphs::BundleRayRow> CurrentBundle(const scene::SceneState& s);

}  // namespace app
