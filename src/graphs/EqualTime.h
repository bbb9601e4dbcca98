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
  // Whether the source stands on the axis, where a lens can bring its rays
  // to a focus; off it the rays meet no point of the axis, and bestX is only
  // where the spread happens to be least, not a focus.
  bool sourceOnAxis = true;
  [[nodiscard]] bool empty() const noexcept { return rays.empty(); }
};

inline constexpr int kEqualTimeSamples = 601;

// The spread over [fromX, toX] (kEqualTimeSamples points, both ends
// included) of the rays whose continuation was drawn; empty (no samples)
// with fewer than two such rays or an empty range. speedOutside: world units
// per time unit in air.
[[nodiscard]] EqualTimeData EqualTime(const std::vector<BundleRayRow>& rows, double speedOutside, double fromX,
                                      double toX, std::optional<double> chosenX = std::nullopt);

// A source within this many world units of the axis counts as on it (a
// marker dropped by hand on the axis stands a fraction of a unit off).
inline constexpr double kOnAxisTolerance = 0.5;

// The spread graph's title, both views' words: "Spread of the rays' times to
// each point of the axis; least at x = 72.08", or, with the source off the
// axis, that there is no focus; for empty data what to do first.
[[nodiscard]] std::string EqualTimeTitle(const EqualTimeData& data);

// "x,spread" rows, then a line "# best,x,spread" and "# chosen,x" and one
// row "ray,i,time" a ray at the chosen point. Numbers as CsvNumber writes them.
[[nodiscard]] std::string EqualTimeCsv(const EqualTimeData& data);

}  // namespace graphs
