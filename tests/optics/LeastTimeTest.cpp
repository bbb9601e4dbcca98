#include "optics/LeastTime.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "optics/Geometry.h"

namespace {

using optics::LeastTimeEntry;

const optics::Lens kLens = optics::Lens::Standard();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Time S -> E(theta) -> P, E(theta) on the first surface's circle (theta = 0: vertex).
double TimeAt(double sx, double sy, double theta, double px, double py) {
  const double ex = kLens.First.CentreX - kLens.First.Radius * std::cos(theta);
  return optics::PathTime(sx, sy, ex, kLens.First.Radius * std::sin(theta), px, py, 2, 1);
}

// {sx, sy, px, py, entry x, entry y, time (NaN: none)}
class WorkedTest : public ::testing::TestWithParam<std::array<double, 7>> {};

TEST_P(WorkedTest, FindsTheKnownEntryPoint) {
  const auto& c = GetParam();
  const auto r = LeastTimeEntry(c[0], c[1], c[2], c[3], kLens);
  ASSERT_TRUE(r.Converged);
  EXPECT_NEAR(r.Point.X, c[4], 0.0015);
  EXPECT_NEAR(r.Point.Y, c[5], 0.0015);
  if (!std::isnan(c[6])) {
    EXPECT_NEAR(r.Point.Time, c[6], 0.006);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedTest,
                         ::testing::Values(std::array{-300.0, 0.0, 16.8, 0.0, -15.0, 0.0, 174.3},
                                           std::array{-200.0, 40.0, 14.2572, -30.0, -12.872, -27.596, 126.72},
                                           // Minimum beyond the upper rim: a circle point outside the lens.
                                           std::array{-400.0, -60.0, -13.167, 99.0, 3.932, 80.356, kNaN}));

TEST(LeastTimeEntry, DeterministicAndFollowsTheSource) {
  const auto a = LeastTimeEntry(-200, 40, 14.2572, -30, kLens);
  const auto b = LeastTimeEntry(-200, 40, 14.2572, -30, kLens);
  EXPECT_EQ(std::tie(a.Point.X, a.Point.Y, a.Point.Time), std::tie(b.Point.X, b.Point.Y, b.Point.Time));
  EXPECT_GT(std::fabs(LeastTimeEntry(-200, -20, 14.2572, -30, kLens).Point.Y - a.Point.Y), 1.0f);
}

// Sources left of the lens, targets on the second surface at polar angle phi about (-c, 0).
struct Ray {
  double Sx, Sy, Px, Py;
};
std::vector<Ray> OrdinaryRays() {
  std::vector<Ray> rays;
  for (double sx : {-400.0, -300.0, -200.0, -120.0})
    for (double sy : {-60.0, 0.0, 45.0})
      for (double phi : {-0.38, -0.2, -0.05, 0.0, 0.11, 0.3, 0.38})
        rays.push_back({sx, sy, 180 * std::cos(phi) - 165, 180 * std::sin(phi)});
  return rays;
}

TEST(LeastTimeEntry, ReturnsALocalMinimumWithItsOwnTime) {
  for (const Ray& s : OrdinaryRays()) {
    SCOPED_TRACE(::testing::Message() << "S(" << s.Sx << "," << s.Sy << ") P(" << s.Px << "," << s.Py << ")");
    const auto r = LeastTimeEntry(s.Sx, s.Sy, s.Px, s.Py, kLens);
    ASSERT_TRUE(r.Converged);
    const double t = r.Point.Time, slack = 2.0 * std::numeric_limits<float>::epsilon() * t;
    EXPECT_NEAR(t, optics::PathTime(s.Sx, s.Sy, r.Point.X, r.Point.Y, s.Px, s.Py, 2, 1), slack);
    const double theta = std::atan2(r.Point.Y, kLens.First.CentreX - r.Point.X);
    for (int i = -20; i <= 20; ++i) EXPECT_GE(TimeAt(s.Sx, s.Sy, theta + 5e-5 * i, s.Px, s.Py), t - slack);
  }
}

// The benchmark relies on ordinary rays taking a sane number of moves.
TEST(LeastTimeEntry, MovesOfOrdinaryRaysStayInRange) {
  for (const Ray& s : OrdinaryRays()) {
    const auto r = LeastTimeEntry(s.Sx, s.Sy, s.Px, s.Py, kLens);
    EXPECT_TRUE(r.Moves >= 30 && r.Moves <= 90) << r.Moves << " moves for " << s.Sx << "," << s.Sy;
  }
}

TEST(LeastTimeEntry, CapReachedReportsFailureAsZero) {
  optics::Lens broken = kLens;
  broken.Pi = std::numeric_limits<float>::quiet_NaN();  // a NaN step never gets small
  const auto r = LeastTimeEntry(-300, 0, 16.8, 0, broken);
  EXPECT_FALSE(r.Converged);
  EXPECT_EQ(r.Moves, optics::kMaxMoves);
  EXPECT_TRUE(r.Point.X == 0.0f && r.Point.Y == 0.0f && r.Point.Time == 0.0f);
}

// No non-finite time ever falls, so every move turns back with half the step:
// 2 degrees / 2^16 is the first step below 1e-6 rad, after 16 moves.
class NonFiniteTest : public ::testing::TestWithParam<std::array<double, 2>> {};

TEST_P(NonFiniteTest, EndsWithinTheCapWithoutNaN) {
  const auto r = LeastTimeEntry(GetParam()[0], GetParam()[1], 16.8, 0, kLens);
  EXPECT_EQ(r.Moves, 16);
  EXPECT_FALSE(std::isnan(r.Point.X) || std::isnan(r.Point.Y) || std::isnan(r.Point.Time));
}

INSTANTIATE_TEST_SUITE_P(Table, NonFiniteTest,
                         ::testing::Values(std::array{kNaN, 0.0}, std::array{kInf, 0.0}, std::array{-kInf, -kInf}));

// Infinite speeds make every time 0: each move is a tie and turns back with half
// the step, so 16 moves from the lower rim end at -alpha + (2/3) * 2deg * (1 - 2^-16).
TEST(LeastTimeEntry, FlatTimeWalksFromTheLowerRimAndHalvesOnTies) {
  optics::Lens flat = kLens;
  flat.SpeedOutside = flat.SpeedInside = std::numeric_limits<float>::infinity();
  const auto r = LeastTimeEntry(-300, 0, 16.8, 0, flat);
  EXPECT_EQ(r.Moves, 16);
  const double theta = -std::atan(std::sqrt(180.0 * 180 - 165 * 165) / 165) +
                       2.0 / 3 * static_cast<double>(2 * 3.14159274f / 180) * (1 - std::ldexp(1.0, -16));
  EXPECT_NEAR(r.Point.X, 165 - 180 * std::cos(theta), 1e-4);
  EXPECT_NEAR(r.Point.Y, 180 * std::sin(theta), 1e-4);
}

}  // namespace
