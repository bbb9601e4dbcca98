#pragma once

#include <optional>

namespace graphs {

// What the continuation of one bundle ray left behind: whether it drew the
// red line (from the exit point to the frame's edge), where that line ends,
// and the ratio of sines it measured, if it could form one.
struct RayContinuation {
  bool drawn = false;
  double endX = 0, endY = 0;
  std::optional<double> ratio;
};

// One ray of the last bundle, as the constructions left it.
struct BundleRayRow {
  double exitX = 0, exitY = 0;    // exit point on the second surface
  double entryX = 0, entryY = 0;  // least-time entry point (stored in Single)
  double arrivalTime = 0;         // source -> entry -> exit (stored in Single)
  double incidenceDeg = 0;        // size of the angle of incidence at the exit point, degrees
  RayContinuation continuation;   // all default until a continuation has run
  // Where the ray crosses the axis by travel time alone, in double precision
  // (optics::ExactAxisCrossing), for any bundle, continued or not; empty when
  // it does not cross. Beside the construction's crossing, never instead of it.
  std::optional<double> exactAxisX;
};

// Exit heights at most this far from the axis count as on it (world units).
inline constexpr double kOnAxis = 1e-9;

// The x at which the ray's red line crosses the axis y = 0. Empty when the
// line was not drawn, when it leaves the lens on the axis (no crossing to
// speak of), or when it meets the frame's edge before reaching the axis.
[[nodiscard]] std::optional<double> AxisCrossing(const BundleRayRow& row) noexcept;

}  // namespace graphs
