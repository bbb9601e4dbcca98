#pragma once

#include "lab/Challenge.h"
#include "optics/Mirror.h"

namespace lab {

class Lab;

// Which side of the ellipse through a stationary point P (foci: source and
// target) the mirror runs on near P: inside it every nearby path is shorter
// than the one by P (a maximum), outside longer (a minimum), across it the
// time turns neither way.
enum class EllipseSide { Inside, Outside, Across };
[[nodiscard]] EllipseSide MirrorSideOfEllipse(const optics::Mirror& m, double u, core::Point source,
                                              core::Point target);

// "Why", drawn over the picture (never into it) after "position by Fermat"
// in the mirror scene: for each stationary path, the ellipse with foci source
// and target through its point, dashed in the kind's colour, and the point
// with the side the mirror runs on ("mirror inside the ellipse: maximum").
// Nothing for the lens scene, before the press, once the source or the
// target has moved since, or for a mirror of constant time (the mirror is
// that ellipse).
[[nodiscard]] ChallengeDrawing MirrorWhyDrawing(const Lab& lab);

}  // namespace lab
