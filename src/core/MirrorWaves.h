#pragma once

#include "core/Drawing.h"
#include "core/MirrorBundle.h"

#include <optional>
#include <vector>

namespace core {

// Huygens after a mirror: the reflected bundle with, at one instant, the
// wavelet about each reflection point and the reflected wavefront.
//
// Every ray of the bundle leaves the source at time 0 and meets the mirror
// at its own time T_i = |P_i - S| / speed. The instant shown is `after`
// time units past the latest of those; then each reflection point has sent
// out a wavelet of radius speed * (instant - T_i), and the wavefront point of
// ray i lies that far along its reflected direction. No law of reflection is
// used: the directions are the bundle's, found from stationary time, and the
// front is the set of points light reaches at one time.
struct MirrorWavesResult {
  MirrorBundleResult Bundle;
  double Latest = 0;   // the latest arrival at the mirror
  double Instant = 0;  // Latest + after
  std::vector<double> Radius;              // per ray; 0 where the source cannot see the mirror
  std::vector<std::optional<Point>> Front;  // per ray: its wavefront point, none where unlit
  Drawing drawing;
};

// The bundle of ReflectBundle, then the wavelets (the half circles in front
// of the mirror, FillStyle 1) when
// `wavelets`, and the wavefront (blue, pen width 2, through the lit rays'
// points in order) when `front`; leaves DrawWidth 1 and FillStyle 1.
[[nodiscard]] MirrorWavesResult MirrorWaves(const optics::Mirror& m, SourcePoint source, int n, Frame frame,
                                            double speed, double after, bool wavelets, bool front,
                                            bool parallel = false);

}  // namespace core
