#include "lab/SceneState.h"

namespace lab {

core::Point TargetPoint(int v, const SceneState& s) noexcept { return core::TargetPoint(v, s.lens()); }

}  // namespace lab
