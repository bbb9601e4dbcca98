#pragma once

#include "canvas/Canvas.h"

#include <string>

namespace canvas {

// One canvas operation as a line of JSON (no newline), world units, numbers
// in the shortest form that reads back as the same double.
[[nodiscard]] std::string TraceLine(const CanvasOp& op);

}  // namespace canvas
