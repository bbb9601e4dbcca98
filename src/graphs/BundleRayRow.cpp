#include "graphs/BundleRayRow.h"

#include <cmath>

namespace graphs {

std::optional<double> AxisCrossing(const BundleRayRow& row) noexcept {
  const RayContinuation& c = row.continuation;
  if (!c.drawn) return std::nullopt;
  const double y0 = row.exitY, y1 = c.endY;
  // A ray leaving the lens on the axis (the middle ray of a bundle with the
  // source on the axis; its stored height is 0 up to rounding) runs along it:
  // where its line meets y = 0 again is rounding noise, not a focus.
  if (std::abs(y0) <= kOnAxis) return std::nullopt;
  // The segment ends at the frame's edge, so a crossing on it lies within the frame.
  if ((y0 > 0 && y1 > 0) || (y0 < 0 && y1 < 0)) return std::nullopt;
  const double x = row.exitX + (c.endX - row.exitX) * (0.0 - y0) / (y1 - y0);
  if (!std::isfinite(x)) return std::nullopt;
  return x;
}

}  // namespace graphs
