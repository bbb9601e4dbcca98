#pragma once

#include "lab/Op.h"
#include "numeric/Colour.h"

namespace lab {

// The high-contrast theme, for a projector at the back of the room and for
// weak or colour-blind eyes. Off by default: off, every view paints the
// program's own picture. On, the views paint the same record through these
// rules (never into the retained image): pens twice as wide, each colour
// darkened (its hue kept) until it stands out against the window's grey at
// least as WCAG's AA asks of text, the markers half as large again. Red and
// blue stay red and blue: the pair colour-blind eyes tell apart best.

inline constexpr int kContrastPenScale = 2;
inline constexpr int kContrastMinPen = 2;           // pixels
inline constexpr double kContrastMarkerScale = 1.5;
inline constexpr double kContrastMinRatio = 4.5;    // against numeric::kBackground

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
[[nodiscard]] double ContrastRatio(numeric::Colour a, numeric::Colour b) noexcept;
// The colour as the theme paints it.
[[nodiscard]] numeric::Colour ContrastColour(numeric::Colour c) noexcept;
// A pen as the theme draws it: a solid pen wider; a dashed or dotted one keeps
// its one pixel (its dashes exist only at that width) and its darker colour.
[[nodiscard]] int ContrastPenWidth(int width, int style) noexcept;
// The operation as the theme paints it (fills keep their colours: areas, not lines).
[[nodiscard]] Op ContrastOp(const Op& op) noexcept;

}  // namespace lab
