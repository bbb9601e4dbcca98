#pragma once

#include <QPointF>

namespace canvas {

// Clips the segment a-b to the rectangle [xLo, xHi] x [yLo, yHi]; false when
// nothing of it lies inside. Safe for ends as far out as 1e30: an end that
// needs no clipping is kept exactly.
bool ClipSegment(QPointF& a, QPointF& b, double xLo, double xHi, double yLo, double yHi);

}  // namespace canvas
