#include "constructions/LeastTimeRay.h"

#include "canvas/Form.h"
#include "canvas/Format.h"
#include "constructions/Entry.h"
#include "optics/Geometry.h"

#include <cmath>

namespace constructions {

void PositionByFermat(canvas::Form& f, const scene::SceneState& s) {
  canvas::Canvas& c = f.canvas;
  const scene::WorldPoint t = scene::TargetPoint(f.thesiy.Value(), s);
  const scene::ShapeCentre src = scene::CentreOf(f.kyklos);
  // The same walk as every other search, kept in double: E and t unrounded.
  const optics::LeastTimeWalk w = optics::LeastTimeSearch(src.x, src.y, t.x, t.y, s.lens());
  if (!w.Converged) {
    f.MsgBox(kNotFound);
    return;
  }
  c.Line(src.x, src.y, w.X, w.Y);
  c.LineTo(t.x, t.y);
  f.shmeio.setLeft(w.X - f.shmeio.Width() / 2.0);
  f.shmeio.setTop(w.Y + f.shmeio.Height() / 2.0);

  // Both angles are measured from the ray to the inward normal at E, which
  // points at the first surface's centre of curvature (c, 0).
  const double nx = s.CentreOffset - w.X, ny = -w.Y;
  const double i = optics::SignedAngle(w.X - src.x, w.Y - src.y, nx, ny);
  const double r = optics::SignedAngle(t.x - w.X, t.y - w.Y, nx, ny);
  const double toDeg = 180.0 / s.Pi;
  f.Label3.setCaption(QStringLiteral("Incidence = ") + canvas::Format(i * toDeg, "0.00") +
                      QStringLiteral(" refraction= ") + canvas::Format(r * toDeg, "0.00"));
  if (std::sin(r) != 0) {
    f.Label4.setCaption(QStringLiteral("n  = ") + canvas::Format(std::sin(i) / std::sin(r), "0.00"));
  }
  if (w.X - s.CentreOffset != 0) {
    // The normal from the centre of curvature through E, out to the point
    // whose x lies midway between E and the source.
    const double qx = (w.X + src.x) / 2.0;
    const double qy = w.Y + w.Y * (src.x - w.X) / (2.0 * (w.X - s.CentreOffset));
    c.DrawStyle = 2;
    c.Line(s.CentreOffset, 0, qx, qy);
    c.DrawStyle = 0;
  }
  f.Label2.setCaption(QStringLiteral("χρόνος = ") + canvas::Format(w.Time, "0.00"));
}

}  // namespace constructions
