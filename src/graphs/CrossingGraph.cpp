#include "graphs/CrossingGraph.h"

#include <cmath>

#include <fmt/format.h>

namespace graphs {

const CrossingGraphTexts& CrossingTexts() noexcept {
  static constexpr CrossingGraphTexts kTexts{
      .title = "Where each ray crosses the axis",
      // Short: a legend on a small graph window has room for a few words.
      .exact = "exact, least time",
      .construction = "the construction",
      .paraxial = "paraxial image",
  };
  return kTexts;
}

std::string CrossingSummary(const std::vector<BundleRayRow>& rows, std::optional<double> paraxialX) {
  if (rows.empty()) return {};
  std::size_t exact = 0, constructed = 0;
  bool continued = false;
  for (const BundleRayRow& r : rows) {
    exact += r.exactAxisX.has_value();
    constructed += AxisCrossing(r).has_value();
    continued = continued || r.continuation.drawn;
  }
  std::string text = fmt::format("{} of {} rays cross the axis exactly", exact, rows.size());
  text += continued ? fmt::format("; {} by the construction", constructed)
                    : std::string("; the construction's points come with \"continuation of bundle after lens\"");
  if (paraxialX && std::isfinite(*paraxialX)) text += fmt::format("; paraxial image at x = {:.2f}", *paraxialX);
  return text;
}

}  // namespace graphs
