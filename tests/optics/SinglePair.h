#pragma once

namespace optics_testing {

struct PointXY {
  double X = 0, Y = 0;
};

// (a / 10 + 1, b / 10 + 1), each coordinate rounded to Single and kept in a
// double: two neighbouring roundings of computed values, the shape of a
// point's x and y, and the one g++ 12's SLP vectoriser turns into a vector
// multiply-add without the rounding. Built as the optics are, in its own
// library, so that neither the compiler nor a test can fold it away.
[[nodiscard]] PointXY RoundedPair(double a, double b);

}  // namespace optics_testing
