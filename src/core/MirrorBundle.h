#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "optics/Mirror.h"

#include <optional>
#include <vector>

namespace core {

// One ray of a reflected bundle: where it meets the mirror, the direction it
// leaves in, and where that leaving ray crosses the axis (if it does).
struct MirrorRay {
  double U = 0;               // the mirror's parameter of the reflection point
  double X = 0, Y = 0;        // the reflection point
  double Dx = 0, Dy = 0;      // unit direction after the reflection
  double Time = 0;            // source to the reflection point, at the speed in air
  std::optional<double> AxisX;  // where the reflected ray (or its backward extension) meets y = 0
  bool Lit = false;           // the source stands in front of the mirror there
  Segment Drawn;              // the reflected ray from the mirror to the frame's edge
};

struct MirrorBundleResult {
  SourcePoint Source;
  int N = 0;  // rays 0..N
  std::vector<MirrorRay> Rays;
  Drawing drawing;
};

// The direction light leaves the mirror in at parameter u, coming from
// (sx, sy), found from the time alone: for light that goes on to a point far
// away in the direction d, the time is |P(u) - S| - P(u) . d up to a constant,
// and it is stationary in u when d . P'(u) = e . P'(u), e the unit direction
// of arrival. So d keeps e's component along the mirror and turns its
// component along the normal to the front. None where the source lies behind
// the mirror at u.
[[nodiscard]] std::optional<Point> StationaryDirection(const optics::Mirror& m, double u, double sx, double sy);
// The same for light arriving in the unit direction (ex, ey) (a parallel beam).
[[nodiscard]] std::optional<Point> StationaryDirectionAlong(const optics::Mirror& m, double u, double ex, double ey);

// "continuation of ray" in the mirror scene: the least-time path source ->
// P -> target found as "position by Fermat" finds it, and the ray leaving P
// in the direction stationary time gives, drawn in red past the target to
// the frame's edge, with the angles at P; with no path, the message that
// none was found. None of it uses the law of reflection: that the red line
// runs through the target is what the tests check.
struct MirrorRayResult {
  std::optional<MirrorRay> Ray;
  std::optional<double> Time;  // of the whole path source -> P -> target
  Drawing drawing;
};
[[nodiscard]] MirrorRayResult ContinueMirrorRay(const optics::Mirror& m, SourcePoint source, Point target,
                                                Frame frame, double speed);

// A bundle of rays 0..n from the source to points spread evenly along the
// mirror (strictly inside its ends), each drawn to its point with a 4-pixel
// dot there and on, reflected by stationary time, to the frame's edge; points
// the source cannot see are left undrawn. Leaves DrawWidth 1.
//
// With `parallel` the source stands at infinity on the left: every ray comes
// along the axis from the frame's left edge (the plane wavefront the times
// count from) to its point of the mirror.
[[nodiscard]] MirrorBundleResult ReflectBundle(const optics::Mirror& m, SourcePoint source, int n, Frame frame,
                                               double speed, bool parallel = false);

}  // namespace core
