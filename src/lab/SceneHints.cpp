#include "lab/SceneHints.h"

#include "lab/Lab.h"
#include "optics/Faces.h"
#include "text/Language.h"

#include <algorithm>

namespace lab {

std::string SourceInGlassHint() { return text::Tr("hint.sourceInGlass"); }

std::vector<std::string> SceneHints(const Lab& lab) {
  std::vector<std::string> hints;
  const optics::Lens& lens = lab.lens();
  const ShapeCentre source = CentreOf(lab.controls().kyklos);
  if (optics::InGlass(lens, source.x, source.y)) {
    hints.push_back(SourceInGlassHint());
  }
  // The glass's box: between the rims, from the first face's leftmost point
  // to the second's rightmost (a face's vertex or its rims), in pixels. Read
  // from the faces, not the fill's outline: the views ask after every input.
  const double left = std::min(lens.First.VertexX, optics::RimX(lens.First));
  const double right = std::max(lens.Second.VertexX, optics::RimX(lens.Second));
  const Frame& frame = lab.surface().frame();
  const PixelPoint a = frame.toPixel(left, lens.HalfAperture), b = frame.toPixel(right, -lens.HalfAperture);
  const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x), y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
  for (const Button* button : lab.controls().buttons()) {
    const PixelRect& r = button->place.pixelRect();
    if (r.left < x1 && r.left + r.width > x0 && r.top < y1 && r.top + r.height > y0) {
      hints.push_back(text::Tr("hint.lensUnderButtons"));
      break;
    }
  }
  return hints;
}

}  // namespace lab
