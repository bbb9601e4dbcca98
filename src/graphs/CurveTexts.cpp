#include "graphs/CurveTexts.h"

#include <cmath>

#include <fmt/format.h>

namespace graphs {

const CurveGraphTexts& CurveTexts() noexcept {
  static constexpr CurveGraphTexts kTexts{
      .least = "least time",
      .through = "through the entry point",
      .height = "height of E",
      .title = "Travel time source \u2192 E \u2192 target point, E on the lens's first surface",
      .mirrorTitle = "Travel time source \u2192 E \u2192 target point, E on the mirror",
  };
  return kTexts;
}

std::string LeastTimeLine(const CurveData& d) {
  if (d.samples.empty()) return {};
  if (!d.least || !std::isfinite(d.least->y) || !std::isfinite(d.least->time)) {
    return "the least-time search found no point";
  }
  return fmt::format("{} {:.2f} at height {:.2f}", CurveTexts().least, d.least->time, d.least->y);
}

}  // namespace graphs
