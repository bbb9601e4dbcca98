#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "core/Wavelets.h"
#include "optics/LeastTime.h"

#include <vector>

namespace core {

// One attempt of the single-ray continuation: the neighbours at ±Delta
// degrees, their least-time paths, the wavelets and what was judged of them.
struct RayAttempt {
  double Delta = 0;
  Neighbours Points;
  optics::PathPoint EntryP, EntryA, EntryB;
  WaveletCrossing Wavelets;  // M in double precision
  double Incidence = 0;      // signed, radians
  bool Usable = false;       // a construction point E came out (M off the vertical through P)
  double Ex = 0, Ey = 0;     // construction point, double precision
  double Refraction = 0, Ratio = 0;
  bool Passed = false;
};

struct RayContinuationResult {
  SourcePoint Source;
  int Height = 0;
  double X0 = 0, Y0 = 0;  // P on the second surface's circle
  std::vector<RayAttempt> Attempts;
  bool TotalReflection = false;
  bool Continued = false;      // refracted ray and normal drawn
  bool NegativeRatio = false;  // passed with n < 0: nothing more drawn
  bool Undeviated = false;     // straight on after three failed attempts near normal incidence
  bool MessageShown = false;   // "Nai the"
  Segment Ray;                 // the continued (or undeviated) ray
  Segment Normal;              // the dashed normal through P
  Drawing drawing;
};

// "conitinuation of ray after lens" for the target height: up to three
// attempts with ever closer neighbours, every attempt drawn; on success the
// continued ray, the index and the dashed normal; beyond the critical angle
// total reflection. Sets FillStyle 1 first (the wavelets are outlines) and 0
// at the end.
[[nodiscard]] RayContinuationResult ContinueRay(const optics::Lens& lens, SourcePoint source, int height);

}  // namespace core
