#include "SinglePair.h"
#include "numeric/Single.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace {

TEST(RoundToSingle, OverflowAndNaN) {
  constexpr float kMax = std::numeric_limits<float>::max(), kInf = std::numeric_limits<float>::infinity();
  const std::pair<double, float> table[] = {
      {0.1, 0x1.99999ap-4f},     {0x1.fffffe8p127, kMax},
      {-0x1.fffffe8p127, -kMax}, {0x1.ffffffp127, kInf},  // half an ulp above FLT_MAX ties to even: infinity
      {-1e300, -kInf},           {std::numeric_limits<double>::quiet_NaN(), std::nanf("")}};
  for (const auto& [in, want] : table) {
    const float got = numeric::RoundToSingle(in);
    EXPECT_TRUE(got == want || (std::isnan(got) && std::isnan(want))) << in << " gave " << got;
  }
}

// Both coordinates of a computed point come out rounded to Single: the build
// keeps every compiler from dropping a rounding it was told to make.
TEST(RoundToSingle, NeighbouringRoundingsOfAPointBothHappen) {
  const std::pair<double, double> inputs[] = {{2.0, 3.0}, {0.3, 7.7}, {-41.0, 1234.5}};
  for (const auto& [a, b] : inputs) {
    const optics_testing::PointXY p = optics_testing::RoundedPair(a, b);
    for (const auto& [got, exact] : {std::pair{p.X, a * 0.1 + 1.0}, std::pair{p.Y, b * 0.1 + 1.0}}) {
      const double want = numeric::RoundToSingle(exact);
      ASSERT_NE(want, exact) << "an input whose rounding shows";
      EXPECT_EQ(got, want) << "from " << a << ", " << b << ": got " << got << " for the exact " << exact;
    }
  }
}

}  // namespace
