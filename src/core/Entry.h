#pragma once

#include "core/Drawing.h"
#include "core/Inputs.h"
#include "optics/LeastTime.h"

namespace core {

// The least-time entry point on the first surface for the point (px, py) of
// (or beyond) the second surface, from the source. A search that does not
// converge puts its message into the drawing where it happens and yields
// {0, 0, 0}, which callers use like any other result.
[[nodiscard]] optics::PathPoint EntryFor(const optics::Lens& lens, SourcePoint source, double px, double py,
                                         Drawing& drawing);

}  // namespace core
