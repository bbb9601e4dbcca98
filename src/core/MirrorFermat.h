#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "optics/Mirror.h"
#include "optics/Stationary.h"

#include <optional>
#include <vector>

namespace core {

// The colour of a stationary path by its kind: the least-time paths blue as
// the entry marker, the most-time ones red, the others magenta, a constant
// stretch dark green.
[[nodiscard]] numeric::Colour StationaryColour(optics::StationaryKind k) noexcept;

// "Position by Fermat" in the mirror scene: every path source -> P -> target
// of stationary time, P on the mirror, both legs in air at `speed` (the
// lens's SpeedOutside).
struct MirrorFermatResult {
  SourcePoint Source;
  Point Target;
  optics::StationaryResult Stationary;
  // The stationary point of least time (the first of equal ones); none when
  // no path is stationary.
  std::optional<std::size_t> Least;
  Drawing drawing;
};

// Draws each stationary path in the colour of its kind with the dotted
// normal at its point (for a constant time, paths by points spread along
// the whole mirror), moves the entry marker onto the least-time point and
// shows its time, its angles and the number of points found; with none, the
// message that nothing was found.
[[nodiscard]] MirrorFermatResult MirrorPositionByFermat(const optics::Mirror& m, SourcePoint source, Point target,
                                                          double speed);

// The mirror as a polyline of `steps` segments, uMin to uMax.
[[nodiscard]] std::vector<Point> MirrorOutline(const optics::Mirror& m, int steps = 128);

// The parameter of the mirror's point nearest (x, y) (a scan, then a
// golden-section search between the best sample's neighbours):
// where a guessed reflection point on the mirror stands for the marker.
[[nodiscard]] double NearestParameter(const optics::Mirror& m, double x, double y);

}  // namespace core
