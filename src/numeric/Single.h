#pragma once

#include <limits>

namespace numeric {

// Rounds a double to float the way an IEEE round-to-nearest conversion does,
// without relying on the conversion for values beyond the float range (a
// double -> float conversion of such a value is undefined behaviour in C++,
// even though every compiler we use yields +-inf).
//
// Values of magnitude at or beyond the midpoint between FLT_MAX and 2^128
// overflow to +-inf; values between FLT_MAX and that midpoint round down to
// +-FLT_MAX; NaN stays NaN; everything else is a plain static_cast.
[[nodiscard]] constexpr float RoundToSingle(double v) noexcept {
  constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
  // (2 - 2^-24) * 2^127: half an ulp above FLT_MAX. A tie rounds to the even
  // neighbour, which is 2^128, i.e. infinity.
  constexpr double kOverflow = 0x1.ffffffp127;
  constexpr float kInf = std::numeric_limits<float>::infinity();
  if (v != v) {
    return std::numeric_limits<float>::quiet_NaN();
  }
  if (v >= kOverflow) {
    return kInf;
  }
  if (v <= -kOverflow) {
    return -kInf;
  }
  if (v > kMax) {
    return std::numeric_limits<float>::max();
  }
  if (v < -kMax) {
    return -std::numeric_limits<float>::max();
  }
  return static_cast<float>(v);
}

}  // namespace numeric
