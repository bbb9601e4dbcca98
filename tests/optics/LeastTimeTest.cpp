#include "optics/LeastTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <utility>
#include <vector>

#include "optics/Geometry.h"
#include "optics/Lens.h"
#include "ParamName.h"

namespace {

using optics::Lens;
using optics::LeastTimeEntry;
using optics::LeastTimeResult;
using optics::LeastTimeSearch;
using optics::LeastTimeWalk;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kFloatEps = std::numeric_limits<float>::epsilon();

const Lens kLens = Lens::Standard();

struct Point {
  double X, Y;
};

// Point of the first surface's circle at angle theta (theta = 0: vertex (-15, 0)).
Point FirstSurface(double theta) {
  return {kLens.CentreOffset - kLens.SurfaceRadius * std::cos(theta), kLens.SurfaceRadius * std::sin(theta)};
}

// Point of the second surface's circle at polar angle phi about (-c, 0).
Point SecondSurface(double phi) {
  return {kLens.SurfaceRadius * std::cos(phi) - kLens.CentreOffset, kLens.SurfaceRadius * std::sin(phi)};
}

double TimeVia(const Point& s, const Point& e, const Point& p) {
  return optics::PathTime(s.X, s.Y, e.X, e.Y, p.X, p.Y, kLens.SpeedOutside, kLens.SpeedInside);
}

double TimeAt(const Point& s, double theta, const Point& p) { return TimeVia(s, FirstSurface(theta), p); }

// Angle of a point of the first surface's circle, inverse of FirstSurface.
double ThetaOf(double x, double y) { return std::atan2(y, kLens.CentreOffset - x); }

// Independent reference: golden-section search for the minimum of the time
// over the surface angle, bracketed well beyond both rims.
double GoldenSectionTheta(const Point& s, const Point& p) {
  const double invPhi = (std::sqrt(5.0) - 1.0) / 2.0;
  double lo = -1.2, hi = 1.2;
  double a = hi - invPhi * (hi - lo), b = lo + invPhi * (hi - lo);
  double ta = TimeAt(s, a, p), tb = TimeAt(s, b, p);
  while (hi - lo > 1e-10) {
    if (ta < tb) {
      hi = b;
      b = a;
      tb = ta;
      a = hi - invPhi * (hi - lo);
      ta = TimeAt(s, a, p);
    } else {
      lo = a;
      a = b;
      ta = tb;
      b = lo + invPhi * (hi - lo);
      tb = TimeAt(s, b, p);
    }
  }
  return (lo + hi) / 2.0;
}

// ---------------------------------------------------------------- worked cases

struct WorkedCase {
  const char* Name;
  Point Source, Target, Entry;
  double EntryTolerance;
  double Time;  // NaN: no reference time for the case
  double TimeTolerance;
};

void PrintTo(const WorkedCase& c, std::ostream* os) { *os << c.Name; }

class LeastTimeWorkedTest : public ::testing::TestWithParam<WorkedCase> {};

TEST_P(LeastTimeWorkedTest, FindsTheKnownEntryPoint) {
  const WorkedCase& c = GetParam();
  const LeastTimeResult r = LeastTimeEntry(c.Source.X, c.Source.Y, c.Target.X, c.Target.Y, kLens);
  ASSERT_TRUE(r.Converged);
  EXPECT_NEAR(r.Point.X, c.Entry.X, c.EntryTolerance);
  EXPECT_NEAR(r.Point.Y, c.Entry.Y, c.EntryTolerance);
  if (!std::isnan(c.Time)) {
    EXPECT_NEAR(r.Point.Time, c.Time, c.TimeTolerance);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LeastTimeWorkedTest,
    ::testing::Values(
        // On the axis: the vertex, 285/2 + 31.8 = 174.3 to four figures.
        WorkedCase{"axis", {-300, 0}, {16.8, 0}, {-15, 0}, 0.001, 174.3, 0.05},
        WorkedCase{"below axis", {-200, 40}, {14.2572, -30}, {-12.872, -27.596}, 0.0015, 126.72, 0.006},
        // The least time lies beyond the upper rim: a point of the circle
        // with x > 0, outside the lens.
        WorkedCase{"beyond rim far source", {-400, -60}, {-13.167, 99}, {3.932, 80.356}, 0.0015, kNaN, 0},
        WorkedCase{"beyond rim near source", {-100, 0}, {-13.167, 99}, {2.903, 78.259}, 0.0015, kNaN, 0}),
    optics::testing::ByName());

TEST(LeastTimeEntry, DeterministicAndFollowsTheSource) {
  const LeastTimeResult first = LeastTimeEntry(-200, 40, 14.2572, -30, kLens);
  const LeastTimeResult again = LeastTimeEntry(-200, 40, 14.2572, -30, kLens);
  EXPECT_EQ(first.Point.X, again.Point.X);
  EXPECT_EQ(first.Point.Y, again.Point.Y);
  EXPECT_EQ(first.Point.Time, again.Point.Time);
  EXPECT_EQ(first.Moves, again.Moves);
  const LeastTimeResult moved = LeastTimeEntry(-200, -20, 14.2572, -30, kLens);
  EXPECT_GT(std::fabs(moved.Point.Y - first.Point.Y), 1.0f);
}

// ---------------------------------------------------------------- properties over a grid

struct GridCase {
  Point Source;
  double ExitAngle;  // polar angle of the target on the second surface
};

void PrintTo(const GridCase& c, std::ostream* os) {
  *os << "source(" << c.Source.X << "," << c.Source.Y << ")_exit" << c.ExitAngle;
}

std::vector<GridCase> OrdinaryRays() {
  std::vector<GridCase> cases;
  for (double sx : {-400.0, -300.0, -200.0, -120.0}) {
    for (double sy : {-60.0, 0.0, 45.0}) {
      for (double phi : {-0.38, -0.2, -0.05, 0.0, 0.11, 0.3, 0.38}) {
        cases.push_back({{sx, sy}, phi});
      }
    }
  }
  return cases;
}

class LeastTimeGridTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(LeastTimeGridTest, TimeMatchesThePathThroughTheReturnedPoint) {
  const GridCase& c = GetParam();
  const Point p = SecondSurface(c.ExitAngle);
  const LeastTimeResult r = LeastTimeEntry(c.Source.X, c.Source.Y, p.X, p.Y, kLens);
  ASSERT_TRUE(r.Converged);
  const double recomputed = TimeVia(c.Source, {r.Point.X, r.Point.Y}, p);
  // Rounding of Time itself plus the shift of E by half a float ulp, which
  // changes the time by at most 1.5 (the two reciprocal speeds) per unit.
  EXPECT_NEAR(r.Point.Time, recomputed, 2.0 * kFloatEps * recomputed);
}

TEST_P(LeastTimeGridTest, NoNearbyPointIsFaster) {
  const GridCase& c = GetParam();
  const Point p = SecondSurface(c.ExitAngle);
  const LeastTimeResult r = LeastTimeEntry(c.Source.X, c.Source.Y, p.X, p.Y, kLens);
  ASSERT_TRUE(r.Converged);
  const double theta = ThetaOf(r.Point.X, r.Point.Y);
  const double slack = 2.0 * kFloatEps * r.Point.Time;
  for (int i = -50; i <= 50; ++i) {
    const double neighbour = theta + 0.001 * i / 50.0;
    EXPECT_GE(TimeAt(c.Source, neighbour, p), r.Point.Time - slack) << "offset " << neighbour - theta;
  }
}

TEST_P(LeastTimeGridTest, AgreesWithGoldenSection) {
  const GridCase& c = GetParam();
  const Point p = SecondSurface(c.ExitAngle);
  const LeastTimeWalk walk = LeastTimeSearch(c.Source.X, c.Source.Y, p.X, p.Y, kLens);
  ASSERT_TRUE(walk.Converged);
  // The walk stops with a step of ~1e-6 rad; near a minimum the time is flat
  // to second order, so allow a few steps of disagreement.
  EXPECT_NEAR(ThetaOf(walk.X, walk.Y), GoldenSectionTheta(c.Source, p), 1e-5);
}

// The time returned is the path time of the point returned, to the last bit,
// whatever the speeds (the walk may multiply by exact reciprocals).
class WalkTimeTest : public ::testing::TestWithParam<std::pair<float, float>> {};

TEST_P(WalkTimeTest, IsPathTimeOfTheReturnedPoint) {
  Lens lens = kLens;
  lens.SpeedOutside = GetParam().first;
  lens.SpeedInside = GetParam().second;
  for (const GridCase& c : OrdinaryRays()) {
    const Point p = SecondSurface(c.ExitAngle);
    const LeastTimeWalk walk = LeastTimeSearch(c.Source.X, c.Source.Y, p.X, p.Y, lens);
    ASSERT_TRUE(walk.Converged);
    EXPECT_EQ(walk.Time, optics::PathTime(c.Source.X, c.Source.Y, walk.X, walk.Y, p.X, p.Y, lens.SpeedOutside,
                                          lens.SpeedInside));
  }
}

INSTANTIATE_TEST_SUITE_P(Speeds, WalkTimeTest,
                         ::testing::Values(std::pair{2.0f, 1.0f}, std::pair{3.0f, 1.7f}, std::pair{0.5f, 0.3f}));

INSTANTIATE_TEST_SUITE_P(Grid, LeastTimeGridTest, ::testing::ValuesIn(OrdinaryRays()));

// About 40 to 80 moves for ordinary rays: 16 reversals plus the runs between
// them, the first run being the climb from the lower rim in 2-degree steps.
// Targets low on the second surface with the source above the axis have their
// minimum close to the start and take a few fewer, so the band holds for the
// bulk of the rays and a wider one for every ray.
TEST(LeastTimeSearch, MovesOfOrdinaryRays) {
  const std::vector<GridCase> rays = OrdinaryRays();
  std::size_t inBand = 0;
  for (const GridCase& c : rays) {
    const Point p = SecondSurface(c.ExitAngle);
    const LeastTimeWalk walk = LeastTimeSearch(c.Source.X, c.Source.Y, p.X, p.Y, kLens);
    ASSERT_TRUE(walk.Converged);
    EXPECT_GE(walk.Moves, 30) << "source (" << c.Source.X << ", " << c.Source.Y << ") exit " << c.ExitAngle;
    EXPECT_LE(walk.Moves, 90) << "source (" << c.Source.X << ", " << c.Source.Y << ") exit " << c.ExitAngle;
    inBand += (walk.Moves >= 40 && walk.Moves <= 80) ? 1 : 0;
  }
  EXPECT_GE(inBand * 10, rays.size() * 9) << inBand << " of " << rays.size() << " rays took 40 to 80 moves";
}

// ---------------------------------------------------------------- failure and non-finite input

TEST(LeastTimeEntry, CapReachedReportsFailureAsZero) {
  // A NaN step never drops below the tolerance, so only the cap ends the walk.
  Lens broken = kLens;
  broken.Pi = std::numeric_limits<float>::quiet_NaN();
  const LeastTimeResult r = LeastTimeEntry(-300, 0, 16.8, 0, broken);
  EXPECT_FALSE(r.Converged);
  EXPECT_EQ(r.Moves, optics::kMaxMoves);
  EXPECT_EQ(r.Point.X, 0.0f);
  EXPECT_EQ(r.Point.Y, 0.0f);
  EXPECT_EQ(r.Point.Time, 0.0f);
}

void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.X << "," << p.Y << ")"; }

class LeastTimeNonFiniteTest : public ::testing::TestWithParam<Point> {};

TEST_P(LeastTimeNonFiniteTest, EndsWithinTheCapWithoutNaN) {
  const Point s = GetParam();
  const LeastTimeResult r = LeastTimeEntry(s.X, s.Y, 16.8, 0, kLens);
  // No time ever falls (NaN and inf compare as "not smaller"), so every move
  // turns back and halves the step: 2 degrees / 2^16 is the first step below
  // 1e-6 rad, reached after 16 moves.
  EXPECT_EQ(r.Moves, 16);
  if (r.Converged) {
    EXPECT_TRUE(std::isfinite(r.Point.X) && std::isfinite(r.Point.Y) && std::isfinite(r.Point.Time));
  } else {
    EXPECT_EQ(r.Point.X, 0.0f);
    EXPECT_EQ(r.Point.Y, 0.0f);
    EXPECT_EQ(r.Point.Time, 0.0f);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, LeastTimeNonFiniteTest,
                         ::testing::Values(Point{kNaN, 0}, Point{0, kNaN}, Point{kInf, 0}, Point{-kInf, -kInf},
                                           Point{-1e300, 1e300}));

TEST(LensStandard, RimFromTheFloatConstants) {
  const Lens lens = Lens::Standard();
  EXPECT_NEAR(lens.HalfAperture, 71.9375, 1e-4);
  const double c = lens.CentreOffset, h = lens.HalfAperture, r = lens.SurfaceRadius;
  EXPECT_NEAR(c * c + h * h, r * r, 2.0 * kFloatEps * r * r);
  EXPECT_EQ(lens.Pi, 3.14159274f);
}

}  // namespace
