#include "app/LiveDrag.h"

#include "app/DragPath.h"
#include "app/Fermat.h"

namespace app {

void LiveDrag::setEnabled(bool on) {
  enabled_ = on;
  if (!on) pending_.reset();
}

void LiveDrag::moved(float x, float y) {
  if (!enabled_ || !(window_.DraggingPoint || window_.DraggingSource)) return;
  pending_ = Position{x, y};
  redraw_.request();
}

void LiveDrag::flush() {
  // Inside a message box the position waits for the next move or flush.
  if (!pending_ || window_.form().modalDepth() > 0) return;
  const Position at = *pending_;
  pending_.reset();
  canvas::Form& f = window_.form();
  scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  scene::ShapeCentre p = scene::CentreOf(f.shmeio);
  if (window_.DraggingPoint) {
    p = {at.x, at.y};
  } else if (window_.DraggingSource) {
    s = {at.x, at.y};
  } else {
    return;
  }
  // The release will start from the drawing state the drag started from.
  const canvas::Canvas::DrawingState before = f.canvas.drawingState();
  const double time = DrawDragPath(f, window_.scene(), s, p);
  window_.updatePath(time);  // the graphs follow the hand too
  f.canvas.setDrawingState(before);
  ++redraws_;
}

}  // namespace app
