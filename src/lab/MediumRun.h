#pragma once

#include "lab/Lab.h"

#include <string>

namespace lab {

// The medium scene's lines after the labels, once "position by Fermat" (or
// the continued ray) has run: one per stationary path, least time first
// ("Path<TAB>minimum<TAB>time 610.32, leaving at -32.04°, ray equation
// within 1e-06"), or "Paths<TAB>none: <why>" when none was found.
[[nodiscard]] std::string MediumLabelLines(const Lab& lab);

// Every path of the medium scene's last construction (its stationary paths,
// or the bundle's, whichever came last) as CSV: "path,point,x,y" rows, each
// path headed by "# path K: <kind>, time T, ray equation within D" (the
// ray equation's path from the path's starting direction, the largest
// distance of any of its points from it); the whole headed by
// "# medium: <text>". The header alone before any.
[[nodiscard]] std::string PathsFile(const Lab& lab);

// "# medium: <text>" and its line end.
[[nodiscard]] std::string MediumHeader(const Lab& lab);

}  // namespace lab
