#pragma once

#include <string>
#include <string_view>

namespace lab {

// Numbers as text, the same bytes in every locale: nothing here goes through
// printf or strtod, which follow the locale the application sets (a decimal
// comma in Greek). The digits are the correctly rounded decimal digits of the
// double; where rounding to a number of digits meets an exact half, it goes
// away from zero. A zero never carries a minus sign, and exponents have at
// least two digits ("1e+20", "1e-07").

// The shortest text that reads back as the same double, in plain or exponent
// form, whichever is shorter (the plain form on a tie): "0.1", "1e-04",
// "123456789012345680", "1e+15". Not finite: "nan", "inf", "-inf".
[[nodiscard]] std::string ShortestText(double value);

// `digits` significant digits (at least 1) without trailing zeros, in exponent
// form when the exponent is below -4 or at least `digits` ("1e+15" for
// digits 15, "0.0001", "1e-05").
[[nodiscard]] std::string SignificantText(double value, int digits);

// One digit, the point and `decimals` more, then the exponent:
// "2.67500000000000e+00" for 2.675 and 14 decimals.
[[nodiscard]] std::string ExponentText(double value, int decimals);

// Number to text for the labels. Patterns: "0", "0.00", "0.000" (that many
// decimals, at least one digit before the point) and "" (the shortest general
// form: 15 significant digits; integers below 1e15 print without decimals).
// Rounding is half away from zero on the number as it reads to 15 significant
// digits, so 2.675 shows as 2.68. A value that rounds to zero never carries a
// minus sign, and a value that is not finite is shown as "—" (UTF-8) instead of
// "nan" or "inf".
[[nodiscard]] std::string Format(double value, std::string_view pattern = {});

}  // namespace lab
