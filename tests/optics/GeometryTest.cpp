#include "optics/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>

namespace {

using namespace optics;

constexpr double kHalfPi = static_cast<double>(1.5707964f);  // float(pi)/2

TEST(PathTime, AirLegAtTwoGlassLegAtOne) {
  EXPECT_NEAR(PathTime(0, 0, 3, 4, 3, 4, 2, 1), 2.5, 1e-12);
  EXPECT_NEAR(PathTime(-300, 0, -15, 0, 16.8, 0, 2, 1), 174.3, 1e-12);
  EXPECT_DOUBLE_EQ(Distance(0, 0, 3, 4), 5.0);
}

class ArcSinTest : public ::testing::TestWithParam<std::array<double, 2>> {};
TEST_P(ArcSinTest, DomainRules) {
  EXPECT_NEAR(ArcSin(GetParam()[0]), GetParam()[1], 1e-15);
}
INSTANTIATE_TEST_SUITE_P(Table, ArcSinTest,
                         ::testing::Values(std::array{1.0, kHalfPi}, std::array{-1.0, -kHalfPi},
                                           std::array{0.5, 0.5235987755982989}, std::array{1.0000001, 0.0},
                                           std::array{-2.0, 0.0}));

// {ax, ay, bx, by, expected}
class SignedAngleTest : public ::testing::TestWithParam<std::array<double, 5>> {};
TEST_P(SignedAngleTest, FromTheSine) {
  const auto& c = GetParam();
  EXPECT_NEAR(SignedAngle(c[0], c[1], c[2], c[3]), c[4], 1e-15);
}
INSTANTIATE_TEST_SUITE_P(Table, SignedAngleTest,
                         ::testing::Values(std::array{1.0, 0.0, 0.0, 1.0, kHalfPi},
                                           std::array{0.0, 1.0, 1.0, 0.0, -kHalfPi},
                                           std::array{1.0, 0.0, -1.0, 1.0, 0.7853981633974483},  // 135 degrees apart
                                           std::array{2.0, 0.0, 3 * std::sqrt(3.0), -3.0, -0.5235987755982989},
                                           std::array{0.0, 0.0, 1.0, 0.0, 0.0}, std::array{1.0, 0.0, 0.0, 0.0, 0.0}));

// {x1, y1, r1, x2, y2, r2, found, xa, ya, xb, yb}
class CircleIntersectTest : public ::testing::TestWithParam<std::array<double, 11>> {};
TEST_P(CircleIntersectTest, Table) {
  const auto& c = GetParam();
  const CircleCrossing got = CircleIntersect(c[0], c[1], c[2], c[3], c[4], c[5]);
  EXPECT_EQ(got.Found, c[6]);
  EXPECT_FLOAT_EQ(got.XA, c[7]);
  EXPECT_FLOAT_EQ(got.YA, c[8]);
  EXPECT_FLOAT_EQ(got.XB, c[9]);
  EXPECT_FLOAT_EQ(got.YB, c[10]);
}
INSTANTIATE_TEST_SUITE_P(Table, CircleIntersectTest,
                         ::testing::Values(std::array<double, 11>{0, 0, 5, 4, 0, 3, -1, 4, 3, 4, -3},
                                           std::array<double, 11>{0, 0, 5, 6, 0, 5, -1, 3, 4, 3, -4},
                                           // Same centre x: reported as no crossing although they cross.
                                           std::array<double, 11>{0, 0, 5, 0, 3, 5, 0, 0, 0, 0, 0},
                                           std::array<double, 11>{0, 0, 1, 5, 0, 1, 0, 0, 0, 0, 0}));

TEST(CircleIntersect, RandomCrossingsLieOnBothCirclesWithAAbove) {
  std::mt19937 rng(20240611u);
  std::uniform_real_distribution<double> centre(-300.0, 300.0), radius(1.0, 250.0);
  for (int checked = 0; checked < 2000;) {
    const double x1 = centre(rng), y1 = centre(rng), r1 = radius(rng);
    const double x2 = centre(rng), y2 = centre(rng), r2 = radius(rng);
    const double d = std::hypot(x1 - x2, y1 - y2), slope = std::fabs((y1 - y2) / (x1 - x2));
    // Clear crossings only, and no nearly horizontal radical line (float y amplified in x).
    if (d <= std::fabs(r1 - r2) + 0.5 || d >= r1 + r2 - 0.5 || slope > 8.0) continue;
    ++checked;
    const CircleCrossing c = CircleIntersect(x1, y1, r1, x2, y2, r2);
    ASSERT_EQ(c.Found, -1);
    EXPECT_GE(c.YA, c.YB);
    const double scale = std::max({std::fabs(x1), std::fabs(y1), std::fabs(x2), std::fabs(y2), r1, r2});
    const double tol = 2.0 * std::numeric_limits<float>::epsilon() * scale * (1.0 + slope);
    for (const auto& [px, py] : {std::pair<double, double>{c.XA, c.YA}, {c.XB, c.YB}}) {
      EXPECT_NEAR(Distance(px, py, x1, y1), r1, tol);
      EXPECT_NEAR(Distance(px, py, x2, y2), r2, tol);
    }
  }
}

}  // namespace
