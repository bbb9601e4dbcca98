#pragma once

#include <QString>

#include <string_view>

namespace canvas {

// Number to text for the labels. Patterns: "0", "0.00", "0.000" (that many
// decimals, at least one digit before the point) and "" (the shortest general
// form; integers print without decimals). Rounding is half away from zero on
// the number as it reads to 15 significant digits, so 2.675 shows as 2.68.
// A value that rounds to zero never carries a minus sign, and a value that is
// not finite is shown as "—" instead of "nan" or "inf".
[[nodiscard]] QString Format(double value, std::string_view pattern = {});

}  // namespace canvas
