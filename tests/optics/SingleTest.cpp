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

}  // namespace
