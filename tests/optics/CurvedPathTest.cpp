// Least-time paths through graded media: the known solutions (circle arcs
// for n ~ 1/y, the fibre's sinusoid, Snell's ratio in layers, straight lines
// in a uniform medium), the convergence the numerics promise, the mirage's
// two paths and their kinds, and the agreement with the ray equation.
#include "optics/CurvedPath.h"
#include "optics/RayEquation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using optics::CurvedPath;
using optics::MediumDesign;
using optics::MediumProfile;
using optics::PlanePoint;

optics::Medium make(const MediumDesign& d) {
  optics::MediumBuild b = optics::MakeMedium(d);
  EXPECT_TRUE(b.medium.has_value()) << b.error;
  return *b.medium;
}

CurvedPath least(const optics::CurvedSearch& s) {
  if (s.paths.empty()) {
    ADD_FAILURE() << "no path: " << s.error;
    return {};
  }
  return s.paths.front();
}

// The picture's frame is about 1000 world units wide.
constexpr double kFrame = 1000;

TEST(CurvedPath, UniformMediumGivesTheStraightLine) {
  const optics::Medium m = make({.N = 1.33});
  const PlanePoint a{-300, -40}, b{250, 120};
  const optics::CurvedSearch s = optics::FindCurvedPaths(m, a, b);
  ASSERT_EQ(s.paths.size(), 1u) << "a uniform medium has one path";
  const CurvedPath& p = s.paths.front();
  EXPECT_TRUE(p.minimum());
  for (const double w : p.offsets) EXPECT_NEAR(w, 0, 1e-9);
  EXPECT_NEAR(p.time, 1.33 * std::hypot(550, 160), 1e-9);
  EXPECT_NEAR(p.directionX, 550 / std::hypot(550, 160), 1e-12);
}

TEST(CurvedPath, HalfPlanePathsAreCircleArcsCentredOnTheLine) {
  // n = c / (y - y0): every least-time path is an arc of a circle centred on
  // y = y0. Its centre is on the perpendicular bisector of the chord.
  const optics::Medium m = make({.Profile = MediumProfile::HalfPlane, .C = 300, .Y0 = -300});
  for (const auto& [a, b] : {std::pair{PlanePoint{-350, -100}, PlanePoint{300, -50}},
                             std::pair{PlanePoint{-200, 100}, PlanePoint{250, -150}}}) {
    const CurvedPath p = least(optics::FindCurvedPaths(m, a, b));
    // Centre (xc, y0): equidistant from a and b.
    const double y0 = -300;
    const double xc = ((b.x * b.x - a.x * a.x) + (b.y - y0) * (b.y - y0) - (a.y - y0) * (a.y - y0)) / (2 * (b.x - a.x));
    const double r = std::hypot(a.x - xc, a.y - y0);
    double worst = 0;
    for (const PlanePoint& q : p.points) worst = std::max(worst, std::abs(std::hypot(q.x - xc, q.y - y0) - r));
    EXPECT_LT(worst, 1e-6 * kFrame) << "from (" << a.x << ", " << a.y << ")";
    EXPECT_TRUE(p.minimum());
  }
}

TEST(CurvedPath, FibreHoldsAParaxialRayOnASinusoidOfTheKnownPeriod) {
  // n^2 = n0^2 (1 - (a y)^2): the ray equation in the paraxial limit gives
  // y'' = -a^2 y, a sinusoid of period 2 pi / a. A path from the axis to the
  // axis half a period later is one arch; the least-time path with a small
  // height lies on y = h sin(a x) once started upward.
  const double a = 0.01;
  const optics::Medium m = make({.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = a});
  const double half = 3.14159265358979323846 / a;
  // From the axis to a point near the axis a quarter period on: the path
  // rises like sin, reaching its height h at x = pi / (2 a).
  const double h = 2;  // paraxial: a h = 0.02
  const PlanePoint from{-half / 2, 0}, to{0, h};
  const CurvedPath p = least(optics::FindCurvedPaths(m, from, to));
  for (const PlanePoint& q : p.points) {
    const double expected = h * std::sin(a * (q.x - from.x));
    // Paraxial: the exact ray differs from the sinusoid by O((a h)^2) of h.
    EXPECT_NEAR(q.y, expected, 4 * (a * h) * (a * h) * h) << "at x = " << q.x;
  }
}

TEST(CurvedPath, LayersGiveStraightPiecesWhoseSinesKeepTheIndexRatio) {
  const double n1 = 1, n2 = 1.5;
  const optics::Medium m = make({.Profile = MediumProfile::Layers, .Y = {0}, .Ns = {n2, n1}});
  const PlanePoint a{-300, 200}, b{250, -180};
  const CurvedPath p = least(optics::FindCurvedPaths(m, a, b));
  // The pieces' directions, measured from the points on either side of the
  // crossing, well away from it.
  const auto direction = [&](bool above) {
    std::vector<PlanePoint> pts;
    for (const PlanePoint& q : p.points) {
      if (above ? q.y > 20 : q.y < -20) pts.push_back(q);
    }
    EXPECT_GE(pts.size(), 10u);
    return std::pair{pts.back().x - pts.front().x, pts.back().y - pts.front().y};
  };
  const auto [ux, uy] = direction(true);
  const auto [lx, ly] = direction(false);
  // Straight: every point of a piece lies on the line through its ends.
  for (const PlanePoint& q : p.points) {
    if (q.y > 20) {
      EXPECT_NEAR((q.x - a.x) * uy - (q.y - a.y) * ux, 0, 1e-6 * std::hypot(ux, uy));
    }
  }
  const double sinAbove = std::abs(ux) / std::hypot(ux, uy), sinBelow = std::abs(lx) / std::hypot(lx, ly);
  EXPECT_NEAR(sinAbove / sinBelow, n2 / n1, 1e-6);
}

TEST(CurvedPath, TimeConvergesAtSecondOrderAsTheSegmentsDouble) {
  const optics::Medium m = make({.Profile = MediumProfile::Luneburg, .R = 200});
  const PlanePoint a{-150, 60}, b{160, -30};  // both inside the lens: the index is smooth
  std::vector<double> times;
  std::vector<double> start(65, 0);
  for (int n = 64; n <= 512; n *= 2) {
    const optics::DiscretePath d = optics::SolveDiscretePath(m, a, b, optics::Resample(start, n));
    ASSERT_TRUE(d.converged) << n;
    times.push_back(d.time);
    start = d.offsets;
  }
  for (std::size_t i = 2; i < times.size(); ++i) {
    const double order = std::log2((times[i - 2] - times[i - 1]) / (times[i - 1] - times[i]));
    EXPECT_NEAR(order, 2, 0.1) << "at N = " << (64 << i);
  }
}

TEST(CurvedPath, NewtonConvergesQuadratically) {
  const optics::Medium m = make({.Profile = MediumProfile::HotRoad, .N0 = 1.6, .G = 0.004});
  const optics::DiscretePath d =
      optics::SolveDiscretePath(m, {-200, 0}, {200, 0}, std::vector<double>(129, 0));
  ASSERT_TRUE(d.converged);
  // Near the solution each step is about the square of the one before
  // (relative to the chord's length): e_{k+1} <= C e_k^2.
  int checked = 0;
  for (std::size_t k = 1; k < d.steps.size(); ++k) {
    const double e0 = d.steps[k - 1] / 400, e1 = d.steps[k] / 400;
    if (e0 < 1e-2 && e1 > 1e-13) {
      EXPECT_LT(e1, 50 * e0 * e0) << "step " << k;
      ++checked;
    }
  }
  EXPECT_GE(checked, 1) << "the steps fell too fast to measure";
}

TEST(CurvedPath, MirageHasTwoPathsAMinimumAndASaddle) {
  // n = n0 + g y: the index falls towards the hot road below; a path that
  // dips close to the road, where light runs faster, arrives too. It has
  // passed a point conjugate to the source, so it is a saddle of the time.
  const optics::Medium m = make({.Profile = MediumProfile::HotRoad, .N0 = 1.6, .G = 0.004});
  const optics::CurvedSearch s = optics::FindCurvedPaths(m, {-200, 0}, {200, 0});
  ASSERT_EQ(s.paths.size(), 2u) << s.error;
  const CurvedPath& direct = s.paths[0];
  const CurvedPath& dip = s.paths[1];
  EXPECT_TRUE(direct.minimum());
  EXPECT_FALSE(dip.minimum());
  EXPECT_EQ(dip.falling, 1);
  EXPECT_LT(direct.time, dip.time);
  // The dipping path runs far below the direct one (the image below the road).
  const auto lowest = [](const CurvedPath& p) {
    double y = 0;
    for (const PlanePoint& q : p.points) y = std::min(y, q.y);
    return y;
  };
  EXPECT_LT(lowest(dip), lowest(direct) - 100);
  // Each is stationary: a small change of any offset changes the time only
  // at second order.
  for (const CurvedPath& p : s.paths) {
    std::vector<double> w = p.offsets;
    const double t0 = optics::DiscreteTime(m, {-200, 0}, {200, 0}, w);
    w[w.size() / 3] += 1e-3;
    EXPECT_LT(std::abs(optics::DiscreteTime(m, {-200, 0}, {200, 0}, w) - t0), 1e-6);
  }
}

struct AgreementCase {
  const char* name;
  MediumDesign design;
  PlanePoint a, b;
};

class RayAgreement : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(RayAgreement, RayEquationFollowsEveryPathFound) {
  const optics::Medium m = make(GetParam().design);
  const optics::CurvedSearch s = optics::FindCurvedPaths(m, GetParam().a, GetParam().b);
  ASSERT_FALSE(s.paths.empty()) << s.error;
  for (const CurvedPath& p : s.paths) {
    const double length = optics::PolylineLength(p.points);
    const std::vector<PlanePoint> ray =
        optics::IntegrateRay(m, GetParam().a, p.directionX, p.directionY, 1.05 * length, length / 8000);
    EXPECT_LT(optics::LargestDistance(p.points, ray), 1e-6 * kFrame) << "path of time " << p.time;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, RayAgreement,
    ::testing::Values(
        AgreementCase{"uniform", {.N = 1.2}, {-300, 0}, {300, 100}},
        AgreementCase{"hotRoad", {.Profile = MediumProfile::HotRoad, .N0 = 1.6, .G = 0.004}, {-200, 0}, {200, 0}},
        AgreementCase{"coldSea", {.Profile = MediumProfile::HotRoad, .N0 = 1.6, .G = -0.002}, {-300, 50}, {300, 80}},
        AgreementCase{"fibre", {.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.004}, {-400, 0}, {300, 40}},
        AgreementCase{"halfPlane", {.Profile = MediumProfile::HalfPlane, .C = 300, .Y0 = -300}, {-350, -100}, {300, 0}},
        AgreementCase{"luneburg", {.Profile = MediumProfile::Luneburg, .R = 150}, {-149, 10}, {120, -60}},
        AgreementCase{"layers", {.Profile = MediumProfile::Layers, .Y = {-60, 40}, .Ns = {1.5, 1.2, 1}}, {-300, 150},
                      {300, -150}}),
    [](const ::testing::TestParamInfo<AgreementCase>& p) { return std::string(p.param.name); });

TEST(CurvedPath, RefusesPointsOutsideTheMediumInOneLine) {
  const optics::Medium fibre = make({.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.01});
  const optics::CurvedSearch s = optics::FindCurvedPaths(fibre, {0, 150}, {100, 0});
  EXPECT_TRUE(s.paths.empty());
  EXPECT_EQ(s.error, "the source stands where the medium has no index");
  EXPECT_EQ(optics::FindCurvedPaths(fibre, {0, 0}, {100, -120}).error,
            "the target stands where the medium has no index");
  EXPECT_EQ(optics::FindCurvedPaths(fibre, {5, 5}, {5, 5}).error, "the source and the target are one point");
}

TEST(CurvedPath, FuzzedMediaNeverGiveNaNOrHang) {
  std::mt19937 rng(32);
  std::uniform_real_distribution<double> u(-1, 1);
  int found = 0, refused = 0;
  for (int i = 0; i < 60; ++i) {
    MediumDesign d;
    switch (i % 5) {
      case 0: d = {.Profile = MediumProfile::HotRoad, .N0 = 1.5 + u(rng), .G = 0.005 * u(rng)}; break;
      case 1: d = {.Profile = MediumProfile::Fibre, .N0 = 1.5 + u(rng), .A = 0.002 + 0.003 * (1 + u(rng))}; break;
      case 2: d = {.Profile = MediumProfile::HalfPlane, .C = 300 + 200 * u(rng), .Y0 = -300 + 100 * u(rng)}; break;
      case 3: d = {.Profile = MediumProfile::Luneburg, .R = 150 + 100 * u(rng)}; break;
      default: d = {.Profile = MediumProfile::Layers, .Y = {100 * u(rng) - 100, 100 + 100 * u(rng)},
                    .Ns = {1.5 + u(rng), 1.5 + u(rng), 1.5 + u(rng)}};
    }
    const optics::MediumBuild b = optics::MakeMedium(d);
    ASSERT_TRUE(b.medium) << b.error;
    const optics::CurvedSearch s =
        optics::FindCurvedPaths(*b.medium, {400 * u(rng), 300 * u(rng)}, {400 * u(rng), 300 * u(rng)});
    if (s.paths.empty()) {
      EXPECT_FALSE(s.error.empty());
      EXPECT_EQ(s.error.find('\n'), std::string::npos);
      ++refused;
    }
    for (const CurvedPath& p : s.paths) {
      ++found;
      EXPECT_TRUE(std::isfinite(p.time));
      EXPECT_TRUE(std::isfinite(p.directionX) && std::isfinite(p.directionY));
      for (const PlanePoint& q : p.points) EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
    }
  }
  EXPECT_GT(found, 30);
  EXPECT_GT(refused + found, 59);
}

}  // namespace
