#pragma once

#include "graphs/BundleRayRow.h"

#include <optional>
#include <string>
#include <vector>

namespace graphs {

// The words of the graph of axis crossings, as the window's chart and the
// page's plot both show them: the exact crossings are the aberration curve,
// the construction's crossings are points beside it, and the paraxial image
// is a reference line.
struct CrossingGraphTexts {
  const char* title;         // above the graph
  const char* exact;         // the line of exact crossings
  const char* construction;  // the construction's points
  const char* paraxial;      // the paraxial image's line
};
[[nodiscard]] const CrossingGraphTexts& CrossingTexts();

// One line under the graph: how many rays cross the axis exactly and by the
// construction (or that the construction's points come with a continuation),
// and where the paraxial image lies when there is one. Empty without rays.
[[nodiscard]] std::string CrossingSummary(const std::vector<BundleRayRow>& rows, std::optional<double> paraxialX);

}  // namespace graphs
