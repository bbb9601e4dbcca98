#pragma once

#include "optics/Lens.h"

namespace core {

// The inputs of a press, read once by the event procedure and handed to the
// constructions: nothing here reads a widget.

// The source as its marker gives it: the marker's centre in Single.
struct SourcePoint {
  float x = 0, y = 0;
  bool operator==(const SourcePoint&) const = default;
};

// The right and top edges of the world frame (the frame is centred on the origin).
struct Frame {
  float XMax = 0, YMax = 0;
  bool operator==(const Frame&) const = default;
};

struct Point {
  double x = 0, y = 0;
};

struct Segment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The target point for a height v of the target bar: on the line y = v, one
// hundredth of R cos a beyond the second face, a = asin(v / R), for a
// spherical face; on a flat face itself.
[[nodiscard]] Point TargetPoint(int v, const optics::Lens& lens) noexcept;

// The point of the second face at height h; h is not clipped to the lens, so
// beyond the rim it lies on the face's extension.
[[nodiscard]] Point SurfacePointAtHeight(int h, const optics::Lens& lens) noexcept;

// The critical angle for leaving the glass, asin(vi / vo) with the quotient in Single.
[[nodiscard]] double CriticalAngle(const optics::Lens& lens) noexcept;

// Radians to degrees with the Single pi every caption uses.
[[nodiscard]] inline double ToDegrees(const optics::Lens& lens) noexcept {
  return 180.0 / lens.Pi;
}

}  // namespace core
