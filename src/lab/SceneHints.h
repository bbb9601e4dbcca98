#pragma once

#include <string>
#include <vector>

namespace lab {

class Lab;

// What the scene shows that a teacher or student should be told in words,
// one sentence each, for a hint beside the picture (never drawn into it):
// the source standing in the glass, where the constructions start their
// rays inside the lens; a lens whose glass reaches under the buttons, which
// hide that part of it. None for the standard lens and the start-up scene.
[[nodiscard]] std::vector<std::string> SceneHints(const Lab& lab);

// The hint for a source in the glass, which the Lens panel also says when a
// lens it takes puts the glass around the source: one text for both.
[[nodiscard]] std::string SourceInGlassHint();

}  // namespace lab
