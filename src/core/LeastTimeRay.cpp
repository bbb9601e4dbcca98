#include "core/LeastTimeRay.h"

#include "core/Constants.h"
#include "numeric/Elementary.h"
#include "optics/Faces.h"
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

  // Both angles are measured from the ray to the normal at E pointing into
  // the glass (at the first face's centre of curvature when it bulges).
  const optics::Face& face = lens.First;
  const optics::FacePoint n = optics::AxialNormal(face, w.X, w.Y);
  r.Incidence = optics::SignedAngle(w.X - src.x, w.Y - src.y, n.X, n.Y);
  r.Refraction = optics::SignedAngle(t.x - w.X, t.y - w.Y, n.X, n.Y);
  const double toDeg = ToDegrees(lens);
  d.Show(Caption::FermatAngles, r.Incidence * toDeg, r.Refraction * toDeg);
  if (numeric::Sin(r.Refraction) != 0) {
    r.RatioShown = true;
    r.Ratio = numeric::Sin(r.Incidence) / numeric::Sin(r.Refraction);
    d.Show(Caption::FermatRatio, r.Ratio);
  }
  // The normal through E, out to the point whose x lies midway between E and
  // the source: from the centre of curvature, or on a flat face from as far
  // on the glass's side.
  const double qx = (w.X + src.x) / 2.0;
  if (face.Flat) {
    r.NormalDrawn = true;
    r.Normal = {w.X + (w.X - qx), w.Y, qx, w.Y};
  } else if (w.X - face.CentreX != 0) {
    const double qy = w.Y + w.Y * (src.x - w.X) / (2.0 * (w.X - face.CentreX));
    r.NormalDrawn = true;
    r.Normal = {face.CentreX, 0, qx, qy};
  }
  if (r.NormalDrawn) {
    d.DrawStyle(2);
    d.Line(r.Normal.x1, r.Normal.y1, r.Normal.x2, r.Normal.y2);
    d.DrawStyle(0);
  }
  d.Show(Caption::FermatTime, w.Time);
  return r;
}

}  // namespace core
