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
      .mediumTitle = "Travel time source \u2192 E \u2192 target point by least-time legs, E on the line "
                     "through the entry point",
  };
  return kTexts;
}

const char* CurveTitle(const CurveData& d) noexcept {
  return d.throughPoint ? CurveTexts().mediumTitle : d.alongMirror ? CurveTexts().mirrorTitle : CurveTexts().title;
}

std::string LeastTimeLine(const CurveData& d) {
  if (d.samples.empty()) return {};
  if (!d.least || !std::isfinite(d.least->y) || !std::isfinite(d.least->time)) {
    return "the least-time search found no point";
  }
  return fmt::format("{} {:.2f} at height {:.2f}", CurveTexts().least, d.least->time, d.least->y);
}

}  // namespace graphs
