#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"

namespace core {

// "Position by Fermat": the least-time ray from the source to the target point.
struct FermatResult {
  SourcePoint Source;
  int Height = 0;
  Point Target;
  bool Found = false;                       // the search converged; otherwise only its message is drawn
  double EntryX = 0, EntryY = 0, Time = 0;  // unrounded: the entry marker goes there
  double Incidence = 0, Refraction = 0;     // radians, from the ray to the inward normal at the entry point
  bool RatioShown = false;                  // sin r != 0
  double Ratio = 0;                         // sin i / sin r
  bool NormalDrawn = false;
  Segment Normal;  // dotted, from the first surface's centre of curvature through the entry point
  Drawing drawing;
};

// Draws source -> entry point -> target, moves the entry marker onto the entry
// point, draws the dotted normal there and shows both angles, their sine ratio
// and the time.
[[nodiscard]] FermatResult PositionByFermat(const optics::Lens& lens, SourcePoint source, int height);

}  // namespace core
