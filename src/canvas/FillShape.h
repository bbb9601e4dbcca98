#pragma once

#include "lab/Surface.h"

#include <QPainterPath>
#include <QRect>
#include <QRgb>

#include <memory>
#include <vector>

namespace canvas {

struct FillRun;

// The region a flood fill painted, as the retained image has it, for drawing
// at any resolution: a polygon through the centres of the painted pixels and
// of the boundary pixels that stopped the fill, so its edge runs inside the
// boundary's stroke, never short of it or beyond it. It rides with the
// fill's item in the lab's record.
struct FillShape final : lab::PixelTrace {
  QRgb color = 0xff000000u;
  QRgb boundary = 0xff000000u;
  QRect pixels;       // the painted pixels' bounding box
  QPainterPath path;  // in pixel positions of the retained image
};

// The fill shape of the runs a flood fill painted; null for no runs.
[[nodiscard]] std::shared_ptr<const FillShape> TraceFill(const std::vector<FillRun>& runs, QRgb color, QRgb boundary);

}  // namespace canvas
