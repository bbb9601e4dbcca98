#include "app/DragPath.h"

#include "canvas/Form.h"
#include "canvas/Format.h"
#include "optics/Geometry.h"
#include "scene/StaticScene.h"

namespace app {

double DrawDragPath(canvas::Form& f, const scene::SceneState& scene, scene::ShapeCentre s, scene::ShapeCentre p) {
  canvas::Canvas& c = f.canvas;
  const scene::WorldPoint t = scene::TargetPoint(f.thesiy.Value(), scene);
  c.Cls();
  scene::RedrawScene(f, scene);
  c.Line(s.x, s.y, p.x, p.y);
  c.LineTo(t.x, t.y);
  // First leg in air, second in glass, whatever the positions.
  const double time = optics::PathTime(s.x, s.y, p.x, p.y, t.x, t.y, scene.SpeedOutside, scene.SpeedInside);
  f.Label2.setCaption(QStringLiteral("time = ") + canvas::Format(time, "0.00"));
  return time;
}

}  // namespace app
