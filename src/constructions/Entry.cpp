#include "constructions/Entry.h"

#include "canvas/Form.h"

namespace constructions {

optics::PathPoint LeastTimeEntry(canvas::Form& form, const scene::SceneState& s, double px, double py) {
  const scene::ShapeCentre src = scene::CentreOf(form.kyklos);
  const optics::LeastTimeResult r = optics::LeastTimeEntry(src.x, src.y, px, py, s.lens());
  if (!r.Converged) {
    form.MsgBox(kNotFound);
    return {};
  }
  return r.Point;
}

}  // namespace constructions
