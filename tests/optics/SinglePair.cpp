#include "SinglePair.h"

namespace optics_testing {

// Plain conversions on purpose: the range checks of numeric::RoundToSingle
// keep each of its roundings in a block of its own, out of the vectoriser's
// reach today; a plain conversion, and any code the optimiser straightens,
// is not.
#if defined(__GNUC__) || defined(__clang__)
[[gnu::noinline]]
#endif
PointXY
RoundedPair(double a, double b) {
  PointXY p;
  p.X = static_cast<float>(a * 0.1 + 1.0);
  p.Y = static_cast<float>(b * 0.1 + 1.0);
  return p;
}

}  // namespace optics_testing
