#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "optics/LeastTime.h"

#include <vector>

namespace core {

// One ray of a bundle, element i always the same ray.
struct BundleRay {
  double ExitX = 0, ExitY = 0;   // exit point on the second surface
  float EntryX = 0, EntryY = 0;  // least-time entry point on the first
  float ArrivalTime = 0;         // least time from the source to the exit point
  double Incidence = 0;          // at the exit point, from the ray inside to the outward normal
  bool Leaves = false;           // |Incidence| within the critical angle
  // Filled by the bundle continuation only:
  bool Continued = false;
  optics::PathPoint Wavefront;  // its wavefront point M (Single) and the wavelet time of A; {0,0,0} unless continued
  bool RedLineDrawn = false;
  Segment RedLine;  // the continuation from the exit point to the frame's edge
  double Refraction = 0;
  bool RatioDefined = false;
  double Ratio = 0;
  bool Passed = false;  // the ratio check passed in the attempt used
};

struct BundleResult {
  SourcePoint Source;
  int N = 0;  // rays 0..N
  std::vector<BundleRay> Rays;
  Drawing drawing;
};

// Polar angle about (-c, 0) of exit point i of a bundle of n + 1 rays: evenly
// spaced strictly inside the rims, symmetric about the axis.
[[nodiscard]] double BundleAngle(int i, int n, const optics::Lens& lens) noexcept;

// The bundle of rays 0..n: each drawn source -> entry -> exit in the current
// pen, with a 4-pixel dot on its exit point first when withDots (leaving
// DrawWidth 1).
// How many rays of the bundle are totally reflected at the second face.
[[nodiscard]] std::size_t TotallyReflected(const BundleResult& bundle) noexcept;

[[nodiscard]] BundleResult TraceBundle(const optics::Lens& lens, SourcePoint source, int n, bool withDots);

// The first wavelets of "SHOW FIRST CIRLCES AFTER LENS": circles about the exit
// points at 0.7 after the latest arrival; totally reflected points get a red
// 6-pixel dot instead. Leaves FillStyle 1.
struct WaveletsResult {
  double Latest = 0, Instant = 0;
  std::vector<double> Radius;  // per ray
  Drawing drawing;
};
[[nodiscard]] WaveletsResult FirstWavelets(const optics::Lens& lens, const BundleResult& bundle);

}  // namespace core
