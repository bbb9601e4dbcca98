#pragma once

namespace optics {

struct EdgePoint {
  float X = 0, Y = 0;
};

// Where the half-line from (x, y) in direction (dx, dy) leaves the frame
// [-xMax, xMax] x [-yMax, yMax], rounded to float.
//
// The signs of dx and dy pick the two frame edges the half-line can reach;
// only those two crossings are computed and the nearer one wins. The
// comparison is strict, so when the line leaves exactly through a corner the
// vertical edge's point is returned. An axis-parallel direction goes straight
// to its edge; a zero direction (and a NaN one, which has no sign) gives (0, 0).
[[nodiscard]] EdgePoint FrameEdgePoint(double x, double y, double dx, double dy, double xMax,
                                       double yMax) noexcept;

}  // namespace optics
