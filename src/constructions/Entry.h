#pragma once

#include "optics/LeastTime.h"
#include "scene/SceneState.h"

#include <QString>

namespace canvas {
class Form;
}

namespace constructions {

// Shown when a least-time search does not converge.
inline const QString kNotFound = QStringLiteral("δε βρέθηκε");

// The least-time entry point on the first surface for the point (px, py) of
// (or beyond) the second surface, for the source where the marker kyklos
// stands now. A search that does not converge shows its message and yields
// {0, 0, 0}, which callers use like any other result.
optics::PathPoint LeastTimeEntry(canvas::Form& form, const scene::SceneState& s, double px, double py);

}  // namespace constructions
