#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "optics/CurvedPath.h"
#include "optics/Medium.h"

#include <optional>
#include <string>
#include <vector>

namespace core {

// A stationary path through the medium with its check: the ray equation's
// path from the source along the path's starting direction, and the
// largest distance between the two (world units).
struct CheckedPath {
  optics::CurvedPath Path;
  std::vector<Point> Ray;  // every few steps of the integration, for the picture
  double RayDistance = 0;
};

// The ray equation's check of a path: integrated for a little more than the
// path's length in steps of 1/8000 of it.
[[nodiscard]] CheckedPath CheckPath(const optics::Medium& medium, optics::CurvedPath path);

// The colours of the medium scene's paths: minima in the entry marker's
// blue, saddles magenta, the ray equation's path dotted dark green.
inline constexpr numeric::Colour kMinimumPathColour = numeric::kBlue;
inline constexpr numeric::Colour kSaddlePathColour = numeric::kMagenta;
inline constexpr numeric::Colour kRayEquationColour = numeric::Rgb(0, 128, 0);

// "Position by Fermat" in the medium: every stationary path from the source
// to the target, least time first, each drawn in its kind's colour with the
// ray equation's path dotted over it; the entry marker moves onto the least
// path, halfway through its time, and the labels show its time, the count of
// paths and saddles and the largest distance from the ray equation. With no
// path, the message that none was found (Error says why).
struct MediumFermatResult {
  SourcePoint Source;
  Point Target;
  std::vector<CheckedPath> Paths;
  std::string Error;
  double Agreement = 0;  // the largest RayDistance
  Drawing drawing;
};
[[nodiscard]] MediumFermatResult MediumPositionByFermat(const optics::Medium& medium, SourcePoint source,
                                                         Point target);

// The path from the source to the target forced through the point P: the
// least-time path of each leg from a straight start, joined. No time where
// a leg has none (P outside the medium).
struct ViaPath {
  std::vector<Point> Points;
  std::optional<double> Time;
};
[[nodiscard]] ViaPath PathThrough(const optics::Medium& medium, Point source, Point via, Point target);

}  // namespace core
