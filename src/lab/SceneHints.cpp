#include "lab/SceneHints.h"

#include "lab/Lab.h"
#include "lab/LensPanelRows.h"
#include "lab/StaticScene.h"

#include <algorithm>

namespace lab {

std::vector<std::string> SceneHints(const Lab& lab) {
  std::vector<std::string> hints;
  const ShapeCentre source = CentreOf(lab.controls().kyklos);
  if (InGlass(lab.lens(), source.x, source.y)) {
    hints.emplace_back(
        "The source lies in the glass: the rays start inside the lens and run to its faces. Drag it out to the left "
        "to see light enter the lens.");
  }
  // The glass's extent in pixels, from the outline the fill covers.
  const auto outline = LensOutline(lab.scene());
  if (outline && !outline->empty()) {
    const Frame& frame = lab.surface().frame();
    double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
    for (const core::Point& p : *outline) {
      const PixelPoint q = frame.toPixel(p.x, p.y);
      left = std::min(left, q.x), right = std::max(right, q.x);
      top = std::min(top, q.y), bottom = std::max(bottom, q.y);
    }
    for (const Button* b : lab.controls().buttons()) {
      const PixelRect& r = b->place.pixelRect();
      if (r.left < right && r.left + r.width > left && r.top < bottom && r.top + r.height > top) {
        hints.emplace_back(
            "Part of the lens lies under the buttons, which hide it: a thinner lens or a smaller aperture shows it "
            "whole.");
        break;
      }
    }
  }
  return hints;
}

}  // namespace lab
