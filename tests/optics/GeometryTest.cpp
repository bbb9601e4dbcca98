#include "optics/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <random>

#include "ParamName.h"

namespace {

using optics::ArcSin;
using optics::CircleCrossing;
using optics::CircleIntersect;
using optics::Distance;
using optics::PathTime;
using optics::SignedAngle;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
// float(pi)/2 widened to double: what the end points of the arc sine return.
constexpr double kSingleHalfPi = static_cast<double>(1.5707964f);

// ---------------------------------------------------------------- PathTime

struct PathTimeCase {
  double X1, Y1, X2, Y2, X3, Y3, SpeedOutside, SpeedInside, Expected;
};

void PrintTo(const PathTimeCase& c, std::ostream* os) {
  *os << "(" << c.X1 << "," << c.Y1 << ")-(" << c.X2 << "," << c.Y2 << ")-(" << c.X3 << "," << c.Y3
      << ")_speeds_" << c.SpeedOutside << "_" << c.SpeedInside;
}

class PathTimeTest : public ::testing::TestWithParam<PathTimeCase> {};

TEST_P(PathTimeTest, AirLegThenGlassLeg) {
  const PathTimeCase& c = GetParam();
  EXPECT_NEAR(PathTime(c.X1, c.Y1, c.X2, c.Y2, c.X3, c.Y3, c.SpeedOutside, c.SpeedInside), c.Expected,
              1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathTimeTest,
    ::testing::Values(
        // 5 in air at speed 2, nothing in glass.
        PathTimeCase{0, 0, 3, 4, 3, 4, 2, 1, 2.5},
        // Source to the lens vertex and on to the target: 285/2 + 31.8/1.
        PathTimeCase{-300, 0, -15, 0, 16.8, 0, 2, 1, 174.3},
        // Unequal legs tell the two speeds apart: 2/2 + 3/1.
        PathTimeCase{0, 0, 0, 2, 0, 5, 2, 1, 4.0},
        // Other speeds: 5/1 + 8/4.
        PathTimeCase{0, 0, 3, 4, 3, 12, 1, 4, 7.0}));

// ---------------------------------------------------------------- Distance

struct DistanceCase {
  double X1, Y1, X2, Y2, Expected;
};

void PrintTo(const DistanceCase& c, std::ostream* os) {
  *os << "(" << c.X1 << "," << c.Y1 << ")-(" << c.X2 << "," << c.Y2 << ")";
}

class DistanceTest : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(DistanceTest, Euclidean) {
  const DistanceCase& c = GetParam();
  EXPECT_DOUBLE_EQ(Distance(c.X1, c.Y1, c.X2, c.Y2), c.Expected);
  EXPECT_DOUBLE_EQ(Distance(c.X2, c.Y2, c.X1, c.Y1), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DistanceTest,
                         ::testing::Values(DistanceCase{0, 0, 3, 4, 5}, DistanceCase{-1, -1, 2, 3, 5},
                                           DistanceCase{7, -2, 7, -2, 0}, DistanceCase{0, 0, -12, 5, 13}));

// ---------------------------------------------------------------- ArcSin

struct ArcSinCase {
  double X, Expected;
};

void PrintTo(const ArcSinCase& c, std::ostream* os) { *os << "x=" << c.X; }

class ArcSinTest : public ::testing::TestWithParam<ArcSinCase> {};

TEST_P(ArcSinTest, DomainRules) {
  const ArcSinCase& c = GetParam();
  EXPECT_NEAR(ArcSin(c.X), c.Expected, 1e-15) << "x = " << c.X;
}

INSTANTIATE_TEST_SUITE_P(Table, ArcSinTest,
                         ::testing::Values(ArcSinCase{1.0, kSingleHalfPi}, ArcSinCase{-1.0, -kSingleHalfPi},
                                           ArcSinCase{0.5, 0.5235987755982989},
                                           ArcSinCase{-0.5, -0.5235987755982989}, ArcSinCase{0.0, 0.0},
                                           // Outside the domain: 0, not a clamp to the quarter turn.
                                           ArcSinCase{1.0000001, 0.0}, ArcSinCase{-1.0000001, 0.0},
                                           ArcSinCase{-2.0, 0.0}, ArcSinCase{kInf, 0.0},
                                           ArcSinCase{-kInf, 0.0}, ArcSinCase{kNaN, 0.0}));

// ---------------------------------------------------------------- SignedAngle

struct AngleCase {
  double Ax, Ay, Bx, By, Expected;
};

void PrintTo(const AngleCase& c, std::ostream* os) {
  *os << "a(" << c.Ax << "," << c.Ay << ")_b(" << c.Bx << "," << c.By << ")";
}

class SignedAngleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(SignedAngleTest, SineBasedSignedAngle) {
  const AngleCase& c = GetParam();
  EXPECT_NEAR(SignedAngle(c.Ax, c.Ay, c.Bx, c.By), c.Expected, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SignedAngleTest,
    ::testing::Values(AngleCase{1, 0, 0, 1, kSingleHalfPi}, AngleCase{0, 1, 1, 0, -kSingleHalfPi},
                      // 135 degrees apart, reported by its sine as 45 degrees.
                      AngleCase{1, 0, -1, 1, 0.7853981633974483},
                      // Lengths other than 1 must cancel: 30 degrees either way.
                      AngleCase{2, 0, 3 * std::sqrt(3.0), 3, 0.5235987755982989},
                      AngleCase{2, 0, 3 * std::sqrt(3.0), -3, -0.5235987755982989}));

// Degenerate and non-finite inputs: a finite angle of at most a quarter turn,
// and 0 where no direction exists.
class SignedAngleDegenerateTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(SignedAngleDegenerateTest, NeverNaN) {
  const AngleCase& c = GetParam();
  const double angle = SignedAngle(c.Ax, c.Ay, c.Bx, c.By);
  ASSERT_TRUE(std::isfinite(angle));
  EXPECT_EQ(angle, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SignedAngleDegenerateTest,
                         ::testing::Values(AngleCase{0, 0, 1, 0, 0}, AngleCase{1, 0, 0, 0, 0},
                                           AngleCase{0, 0, 0, 0, 0}, AngleCase{kNaN, 0, 1, 1, 0},
                                           AngleCase{1, 1, 0, kNaN, 0}, AngleCase{kInf, 0, 0, 1, 0},
                                           AngleCase{1e200, 1e200, 1e200, -1e200, 0},
                                           AngleCase{1e-200, 0, 0, 1e-200, 0}));

// ---------------------------------------------------------------- CircleIntersect

struct CrossingCase {
  const char* Name;
  double X1, Y1, R1, X2, Y2, R2;
  CircleCrossing Expected;
};

void PrintTo(const CrossingCase& c, std::ostream* os) { *os << c.Name; }

class CircleIntersectTest : public ::testing::TestWithParam<CrossingCase> {};

TEST_P(CircleIntersectTest, Table) {
  const CrossingCase& c = GetParam();
  const CircleCrossing got = CircleIntersect(c.X1, c.Y1, c.R1, c.X2, c.Y2, c.R2);
  EXPECT_EQ(got.Found, c.Expected.Found) << c.Name;
  EXPECT_FLOAT_EQ(got.XA, c.Expected.XA) << c.Name;
  EXPECT_FLOAT_EQ(got.YA, c.Expected.YA) << c.Name;
  EXPECT_FLOAT_EQ(got.XB, c.Expected.XB) << c.Name;
  EXPECT_FLOAT_EQ(got.YB, c.Expected.YB) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CircleIntersectTest,
    ::testing::Values(
        CrossingCase{"three four five", 0, 0, 5, 4, 0, 3, {-1, 4, 3, 4, -3}},
        CrossingCase{"same circles swapped", 4, 0, 3, 0, 0, 5, {-1, 4, 3, 4, -3}},
        CrossingCase{"equal radii", 0, 0, 5, 6, 0, 5, {-1, 3, 4, 3, -4}},
        CrossingCase{"touching", 0, 0, 2, 4, 0, 2, {-1, 2, 0, 2, 0}},
        // The centres share x: no crossing is reported although there are two.
        CrossingCase{"same centre x", 0, 0, 5, 0, 3, 5, {0, 0, 0, 0, 0}},
        CrossingCase{"apart", 0, 0, 1, 5, 0, 1, {0, 0, 0, 0, 0}},
        CrossingCase{"one inside the other", 0, 0, 10, 1, 0, 2, {0, 0, 0, 0, 0}},
        CrossingCase{"nan radius", 0, 0, kNaN, 1, 0, 2, {0, 0, 0, 0, 0}},
        // dx is subnormal, so dy/dx overflows: no finite crossing exists.
        CrossingCase{"overflowing slope", 0, 0, 5, 4.9e-324, 1, 5, {0, 0, 0, 0, 0}}),
    optics::testing::ByName());

// Random pairs of properly crossing circles with centres that differ in x:
// both returned points lie on both circles and A is the upper one.
TEST(CircleIntersectProperty, PointsLieOnBothCircles) {
  std::mt19937 rng(20240611u);
  std::uniform_real_distribution<double> centre(-300.0, 300.0);
  std::uniform_real_distribution<double> radius(1.0, 250.0);
  int checked = 0;
  while (checked < 2000) {
    const double x1 = centre(rng), y1 = centre(rng), r1 = radius(rng);
    const double x2 = centre(rng), y2 = centre(rng), r2 = radius(rng);
    const double d = std::hypot(x1 - x2, y1 - y2);
    // A clear crossing (not nearly tangent) and a radical line that is not
    // nearly horizontal, where the float y would be amplified in x.
    const bool crosses = d > std::fabs(r1 - r2) + 0.5 && d < r1 + r2 - 0.5;
    const double slope = std::fabs((y1 - y2) / (x1 - x2));
    if (!crosses || slope > 8.0) {
      continue;
    }
    ++checked;
    const CircleCrossing c = CircleIntersect(x1, y1, r1, x2, y2, r2);
    ASSERT_EQ(c.Found, -1);
    EXPECT_GE(c.YA, c.YB);
    // One float ulp of the coordinate scale, carried along the radical line
    // by the slope, plus the conditioning of the crossing angle.
    const double scale = std::max({std::fabs(x1), std::fabs(y1), std::fabs(x2), std::fabs(y2), r1, r2});
    const double tolerance = 2.0 * std::numeric_limits<float>::epsilon() * scale * (1.0 + slope);
    for (const auto& [px, py] : {std::pair<double, double>{c.XA, c.YA}, std::pair<double, double>{c.XB, c.YB}}) {
      EXPECT_NEAR(Distance(px, py, x1, y1), r1, tolerance);
      EXPECT_NEAR(Distance(px, py, x2, y2), r2, tolerance);
    }
  }
}

}  // namespace
