#pragma once

#include "lab/Challenge.h"

#include <string>

namespace web {

// An overlay drawing of the lab (the challenge's answer, the mirror scene's
// ellipses, the medium's shading) as the page's overlay canvas reads it:
// {"cells": [{"x1","y1","x2","y2","fill","opacity"}], "paths": [{"points":
// [x, y, ...], "colour", "width", "dash"}], "dots": [{"x", "y", "fill",
// "outline", "radius", "outlineWidth", "text", "textAbove", "textInk"}],
// "textSize", "textDx", "textDy"}.
[[nodiscard]] std::string OverlayJson(const lab::ChallengeDrawing& d);

}  // namespace web
