#include "optics/FrameEdge.h"

#include "optics/Geometry.h"
#include "numeric/Single.h"

namespace optics {

namespace {

struct Candidate {
  double X;
  double Y;
};

// Crossing of the line through (x, y) along (dx, dy) with the horizontal edge
// line y = edgeY. Only called with dy != 0.
[[nodiscard]] inline Candidate HorizontalEdge(double x, double y, double dx, double dy,
                                              double edgeY) noexcept {
  return {x + dx * (edgeY - y) / dy, edgeY};
}

// Crossing with the vertical edge line x = edgeX. Only called with dx != 0.
[[nodiscard]] inline Candidate VerticalEdge(double x, double y, double dx, double dy,
                                            double edgeX) noexcept {
  return {edgeX, y + dy * (edgeX - x) / dx};
}

[[nodiscard]] inline EdgePoint Rounded(double x, double y) noexcept {
  return {numeric::RoundToSingle(x), numeric::RoundToSingle(y)};
}

// The horizontal edge's point only if it is strictly nearer to (x, y); a tie
// (a corner exit) goes to the vertical edge. An overflowed candidate has an
// infinite distance and so never beats a finite one.
[[nodiscard]] inline EdgePoint Nearer(const Candidate& horizontal, const Candidate& vertical, double x,
                                      double y) noexcept {
  if (Distance(horizontal.X, horizontal.Y, x, y) < Distance(vertical.X, vertical.Y, x, y)) {
    return Rounded(horizontal.X, horizontal.Y);
  }
  return Rounded(vertical.X, vertical.Y);
}

}  // namespace

EdgePoint FrameEdgePoint(double x, double y, double dx, double dy, double xMax, double yMax) noexcept {
  if (dx > 0.0) {
    if (dy > 0.0) {
      return Nearer(HorizontalEdge(x, y, dx, dy, yMax), VerticalEdge(x, y, dx, dy, xMax), x, y);
    }
    if (dy < 0.0) {
      return Nearer(HorizontalEdge(x, y, dx, dy, -yMax), VerticalEdge(x, y, dx, dy, xMax), x, y);
    }
    if (dy == 0.0) {
      return Rounded(xMax, y);
    }
  } else if (dx < 0.0) {
    if (dy > 0.0) {
      return Nearer(HorizontalEdge(x, y, dx, dy, yMax), VerticalEdge(x, y, dx, dy, -xMax), x, y);
    }
    if (dy < 0.0) {
      return Nearer(HorizontalEdge(x, y, dx, dy, -yMax), VerticalEdge(x, y, dx, dy, -xMax), x, y);
    }
    if (dy == 0.0) {
      return Rounded(-xMax, y);
    }
  } else if (dx == 0.0) {
    if (dy > 0.0) {
      return Rounded(x, yMax);
    }
    if (dy < 0.0) {
      return Rounded(x, -yMax);
    }
  }
  // Zero direction, or a NaN component that matches no row.
  return {};
}

}  // namespace optics
