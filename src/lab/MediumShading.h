#pragma once

#include "lab/Challenge.h"

namespace lab {

class Lab;

// The index of the medium scene shaded over the picture (never into it):
// the frame in cells of 25 by 16, each filled with its centre's index on a
// scale from a pale sand (the least index in view) to a deep blue (the
// greatest), at a third of full opacity so that the picture shows through;
// where the medium has no index, grey. A legend of five dots with their
// indices stands in the lower right corner. Nothing outside the medium scene.
[[nodiscard]] ChallengeDrawing MediumShadingDrawing(const Lab& lab);

// The colour of an index on the scale from `low` to `high`.
[[nodiscard]] numeric::Colour IndexColour(double n, double low, double high) noexcept;

inline constexpr int kShadingColumns = 25, kShadingRows = 16;
inline constexpr double kShadingOpacity = 0.35;

}  // namespace lab
