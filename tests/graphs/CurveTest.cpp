// The travel-time curve against the least-time search it is drawn with.
#include "graphs/TravelTimeCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

const optics::Lens kLens = optics::Lens::Standard();

// Largest rate of change of the path time along the first surface, per
// radian: each leg changes no faster than R per radian divided by its speed.
double timeSlope(const optics::Lens& l) {
  return l.First.Radius * (1.0 / l.SpeedOutside + 1.0 / l.SpeedInside);
}

// The target point the program derives from a height of the target bar.
graphs::CurveInput inputFor(double sx, double sy, int v) {
  const double R = kLens.First.Radius, c = kLens.First.CentreX;
  const double a = std::asin(v / R);
  return {sx, sy, 1.01 * R * std::cos(a) - c, R * std::sin(a), sx + 50, sy};
}

// Least times on both sides of the lens's rims, and sources of every kind
// left of the lens: the search must never be beaten by the curve by more than
// the error its final step allows, and when its point lies on the drawn arc
// the curve must come down to it within half a sample spacing.
class CurveAgainstSearch : public ::testing::TestWithParam<int> {};

TEST_P(CurveAgainstSearch, MinimumMatchesTheLeastRow) {
  std::mt19937 rng(static_cast<std::uint32_t>(GetParam()));
  std::uniform_real_distribution<> sx(-450, -20), sy(-250, 250);
  std::uniform_int_distribution<> height(-99, 99);
  const double alpha = std::atan(double{kLens.HalfAperture} / kLens.First.CentreX);
  // The walk stops once its step is below 1e-6 rad, the minimum bracketed
  // within the last two steps.
  const double searchTolerance = 2e-6 * timeSlope(kLens);
  const double sampleTolerance = timeSlope(kLens) * alpha / 720;
  for (int trial = 0; trial < 250; ++trial) {
    const graphs::CurveData d = graphs::TravelTimeCurve(inputFor(sx(rng), sy(rng), height(rng)), kLens);
    ASSERT_TRUE(d.least.has_value());
    double lowest = INFINITY;
    for (const graphs::CurveSample& s : d.samples) lowest = std::min(lowest, s.time);
    ASSERT_GE(lowest, d.least->time - searchTolerance) << "trial " << trial;
    const double theta = std::atan2(d.least->y, kLens.First.CentreX - d.least->x);
    if (std::abs(theta) <= alpha) {
      EXPECT_LE(lowest, d.least->time + sampleTolerance) << "trial " << trial;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, CurveAgainstSearch, ::testing::Range(0, 8));

// The worked example of the least-time ray: source (-200, 40), height -30.
TEST(TravelTimeCurve, LeastRowIsTheSearchsUnroundedResult) {
  const graphs::CurveData d = graphs::TravelTimeCurve(inputFor(-200, 40, -30), kLens);
  ASSERT_TRUE(d.least.has_value());
  EXPECT_NEAR(d.least->x, -12.872, 0.0005);
  EXPECT_NEAR(d.least->y, -27.596, 0.0005);
  EXPECT_NEAR(d.least->time, 126.72, 0.005);
  EXPECT_NE(d.least->time, static_cast<double>(static_cast<float>(d.least->time)));  // not rounded to Single
}

}  // namespace
