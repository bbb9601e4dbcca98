#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/BundleRayRow.h"

namespace graphs {

// "Equal time at the focus": every continued ray of the last bundle carried
// on from its exit point to a point (x, 0) of the axis. Its total travel time
// from the source is its arrival time at the exit point plus the straight
// leg in air; where the rays focus, those times agree (Fermat's principle for
// an image), so the spread max - min over the rays is smallest there.
struct EqualTimeRay {
  int index = 0;      // the ray's number in the bundle
  double time = 0;    // source -> entry -> exit -> (x, 0)
};

struct EqualTimeData {
  std::vector<double> x, spread;  // samples along the axis, x rising
  double bestX = 0, bestSpread = 0;
  double chosenX = 0;                 // where `rays` are taken: the chosen point, or bestX
  std::vector<EqualTimeRay> rays;     // the continued rays' times at chosenX
  [[nodiscard]] bool empty() const noexcept { return rays.empty(); }
};

inline constexpr int kEqualTimeSamples = 601;

// The spread over [fromX, toX] (kEqualTimeSamples points, both ends
// included) of the rays whose continuation was drawn; empty (no samples)
// with fewer than two such rays or an empty range. speedOutside: world units
// per time unit in air.
[[nodiscard]] EqualTimeData EqualTime(const std::vector<BundleRayRow>& rows, double speedOutside, double fromX,
                                      double toX, std::optional<double> chosenX = std::nullopt);

// "x,spread" rows, then a line "# best,x,spread" and "# chosen,x" and one
// row "ray,i,time" a ray at the chosen point. Numbers as CsvNumber writes them.
[[nodiscard]] std::string EqualTimeCsv(const EqualTimeData& data);

}  // namespace graphs
