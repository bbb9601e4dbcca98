#pragma once

#include "lab/Op.h"

#include <QPen>
#include <QRgb>

namespace canvas {

// Where a pen draws: on the retained image, whose one-pixel lines are Qt's
// cosmetic thin lines (an 8-connected run of pixels, so a 4-connected flood
// fill cannot leak through it), or smooth at any resolution, where a
// one-pixel pen scales with the device like every other width.
enum class PenDevice { Retained, Smooth };

// The pen of an operation's colour, DrawWidth and DrawStyle: the width
// clamped by lab::PenWidth, one-pixel pens dashed by lab::PenDashes with flat
// caps, wider pens solid with round caps and joins.
[[nodiscard]] QPen OperationPen(QRgb color, int width, int style, PenDevice device);

}  // namespace canvas
