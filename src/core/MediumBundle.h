#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "optics/CurvedPath.h"
#include "optics/Medium.h"

#include <vector>

namespace core {

// A bundle of least-time paths in the medium: from the source to a row of
// target points on the vertical line through the target, spread over nine
// tenths of the frame's height, one per ray of the ray-count bar. Targets
// where the medium has no index, or with no path found, have none.
struct MediumBundleResult {
  SourcePoint Source;
  Point Target;  // the target marker the row goes through
  int Rays = 0;
  Frame Bounds;
  std::vector<Point> Targets;
  std::vector<optics::CurvedPath> Paths;  // in the targets' order
  std::vector<std::size_t> Of;            // each path's target
  double LongestTime = 0;
  Drawing drawing;
};

// Each target's least path: the first from every start FindCurvedPaths
// tries, the next from the neighbour's path and from the straight line,
// the lesser time kept. With `warm` (the bundle before, for the same row),
// each from the path it had before alone: a live drag moves by little.
[[nodiscard]] MediumBundleResult MediumBundle(const optics::Medium& medium, SourcePoint source, Point target,
                                              int rays, Frame frame, const MediumBundleResult* warm = nullptr);

// The wavefront at `time`: the point each path reaches then, joined from
// path to neighbouring path; broken where a path ends before.
[[nodiscard]] std::vector<std::vector<Point>> FrontAt(const MediumBundleResult& bundle, double time);

// The fronts drawn over a bundle: red, at the times given.
inline constexpr numeric::Colour kMediumFrontColour = numeric::kRed;
[[nodiscard]] Drawing FrontsDrawing(const MediumBundleResult& bundle, const std::vector<double>& times, int width);

}  // namespace core
