#pragma once

#include "core/Drawing.h"

namespace canvas {
class Form;
}

namespace constructions {

// Replays a construction's drawing onto the form in its order: canvas
// operations and drawing-state changes on the canvas, captions into their
// labels, messages through the form's MsgBox (modal, so the picture behind an
// open box is what the operations before it drew), the entry marker moved.
void Draw(canvas::Form& form, const core::Drawing& drawing);

}  // namespace constructions
