#include "core/LeastTimeRay.h"

#include "core/Constants.h"
#include "numeric/Elementary.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"

#include <cmath>

namespace core {

FermatResult PositionByFermat(const optics::Lens& lens, SourcePoint src, int height) {
  FermatResult r{.Source = src, .Height = height, .Target = TargetPoint(height, lens)};
  Drawing& d = r.drawing;
  const Point t = r.Target;
  // The same walk as every other search, kept in double: E and t unrounded.
  const optics::LeastTimeWalk w = optics::LeastTimeSearch(src.x, src.y, t.x, t.y, lens);
  if (!w.Converged) {
    d.Message(kNotFound);
    return r;
  }
  r.Found = true;
  r.EntryX = w.X;
  r.EntryY = w.Y;
  r.Time = w.Time;
  d.Line(src.x, src.y, w.X, w.Y);
  d.LineTo(t.x, t.y);
  d.MoveEntry(w.X, w.Y);

  // Both angles are measured from the ray to the inward normal at E, which
  // points at the first surface's centre of curvature (c, 0).
  const double nx = lens.CentreOffset - w.X, ny = -w.Y;
  r.Incidence = optics::SignedAngle(w.X - src.x, w.Y - src.y, nx, ny);
  r.Refraction = optics::SignedAngle(t.x - w.X, t.y - w.Y, nx, ny);
  const double toDeg = ToDegrees(lens);
  d.Show(Caption::FermatAngles, r.Incidence * toDeg, r.Refraction * toDeg);
  if (numeric::Sin(r.Refraction) != 0) {
    r.RatioShown = true;
    r.Ratio = numeric::Sin(r.Incidence) / numeric::Sin(r.Refraction);
    d.Show(Caption::FermatRatio, r.Ratio);
  }
  if (w.X - lens.CentreOffset != 0) {
    // The normal from the centre of curvature through E, out to the point
    // whose x lies midway between E and the source.
    const double qx = (w.X + src.x) / 2.0;
    const double qy = w.Y + w.Y * (src.x - w.X) / (2.0 * (w.X - lens.CentreOffset));
    r.NormalDrawn = true;
    r.Normal = {lens.CentreOffset, 0, qx, qy};
    d.DrawStyle(2);
    d.Line(lens.CentreOffset, 0, qx, qy);
    d.DrawStyle(0);
  }
  d.Show(Caption::FermatTime, w.Time);
  return r;
}

}  // namespace core
