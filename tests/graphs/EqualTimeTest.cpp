// The equal-time view: rays whose times to one point of the axis agree show
// their least spread there; too few rays give nothing.
#include "graphs/EqualTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Rays leaving at the given heights from x = 10 whose total times to
// (focus, 0) are all `total`, as for a perfect lens focusing there.
std::vector<graphs::BundleRayRow> focusedRays(double focus, double total, double speed,
                                              const std::vector<double>& heights) {
  std::vector<graphs::BundleRayRow> rows;
  for (const double y : heights) {
    graphs::BundleRayRow r;
    r.exitX = 10;
    r.exitY = y;
    r.arrivalTime = total - std::hypot(focus - 10, y) / speed;
    r.continuation.drawn = true;
    rows.push_back(r);
  }
  return rows;
}

struct FocusCase {
  const char* name;
  double focus, speed;
};

class EqualTimeFocus : public ::testing::TestWithParam<FocusCase> {};

TEST_P(EqualTimeFocus, IsLeastWhereTheRaysTimesAgree) {
  const FocusCase& c = GetParam();
  const auto rows = focusedRays(c.focus, 300, c.speed, {-40, -25, -10, 5, 20, 35});
  const graphs::EqualTimeData d = graphs::EqualTime(rows, c.speed, 15, 300);
  ASSERT_EQ(d.x.size(), static_cast<std::size_t>(graphs::kEqualTimeSamples));
  const double spacing = (300 - 15.0) / (graphs::kEqualTimeSamples - 1);
  EXPECT_NEAR(d.bestX, c.focus, spacing);
  EXPECT_LT(d.bestSpread, 0.05);
  // Every ray's time at the chosen (least) point is nearly the common one:
  // the sample next to the focus is at most a spacing's time away.
  ASSERT_EQ(d.rays.size(), rows.size());
  for (const graphs::EqualTimeRay& r : d.rays) EXPECT_NEAR(r.time, 300, spacing / c.speed);
  // Away from the focus the times spread.
  EXPECT_GT(d.spread.front(), 10 * d.bestSpread + 0.1);
  // A chosen point is where the rays' times are taken.
  const graphs::EqualTimeData at = graphs::EqualTime(rows, c.speed, 15, 300, 100.0);
  EXPECT_EQ(at.chosenX, 100.0);
  EXPECT_EQ(at.bestX, d.bestX);
}

INSTANTIATE_TEST_SUITE_P(Foci, EqualTimeFocus,
                         ::testing::Values(FocusCase{"near", 80, 2}, FocusCase{"far", 260, 2},
                                           FocusCase{"slowGlass", 150, 1.33}),
                         [](const ::testing::TestParamInfo<FocusCase>& p) { return std::string(p.param.name); });

// A ray leaving the lens at (x, y) after `arrival`, its continuation drawn.
graphs::BundleRayRow exitAt(double x, double y, double arrival) {
  graphs::BundleRayRow r;
  r.exitX = x;
  r.exitY = y;
  r.arrivalTime = arrival;
  r.continuation.drawn = true;
  return r;
}

struct RangeCase {
  const char* name;
  double fromX, toX;
};
void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

class EqualTimeSamples : public ::testing::TestWithParam<RangeCase> {};

// The samples run evenly over the range, both ends included: every gap is
// the range over kEqualTimeSamples - 1, the last as well as the first.
TEST_P(EqualTimeSamples, AreEvenlySpacedFromEndToEnd) {
  const RangeCase& c = GetParam();
  const graphs::EqualTimeData d = graphs::EqualTime(focusedRays(150, 300, 2, {-30, 0, 30}), 2, c.fromX, c.toX);
  ASSERT_EQ(d.x.size(), static_cast<std::size_t>(graphs::kEqualTimeSamples));
  EXPECT_EQ(d.x.front(), c.fromX);
  EXPECT_EQ(d.x.back(), c.toX);
  const double gap = (c.toX - c.fromX) / (graphs::kEqualTimeSamples - 1);
  for (std::size_t k = 1; k < d.x.size(); ++k) {
    ASSERT_NEAR(d.x[k] - d.x[k - 1], gap, 1e-6 * gap) << "gap " << k << " of " << d.x.size() - 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Ranges, EqualTimeSamples,
                         ::testing::Values(RangeCase{"wholeUnits", 0, 600}, RangeCase{"pastTheLens", 15, 300},
                                           RangeCase{"acrossTheLens", -37.5, 412.25},
                                           RangeCase{"narrow", 99.99, 100.01}),
                         [](const ::testing::TestParamInfo<RangeCase>& p) { return std::string(p.param.name); });

struct TieCase {
  const char* name;
  std::vector<graphs::BundleRayRow> rows;
  double fromX, toX;
  double firstLeastX, leastSpread;
};
void PrintTo(const TieCase& c, std::ostream* os) { *os << c.name; }

class EqualTimeTies : public ::testing::TestWithParam<TieCase> {};

// Where several samples share the least spread the best point is the first
// of them, the one nearest the lens. Over [0, 600] the samples are whole
// numbers and rays leaving on the axis make every time and spread exact.
TEST_P(EqualTimeTies, TakeTheFirstOfEqualMinima) {
  const TieCase& c = GetParam();
  const graphs::EqualTimeData d = graphs::EqualTime(c.rows, 1, c.fromX, c.toX);
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d.bestX, c.firstLeastX);
  EXPECT_EQ(d.bestSpread, c.leastSpread);
  EXPECT_EQ(*std::min_element(d.spread.begin(), d.spread.end()), c.leastSpread);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, EqualTimeTies,
    ::testing::Values(
        // Mirror images in the axis: the same time to every axis point, no
        // spread anywhere, so the range's first sample is the best.
        TieCase{"mirroredRays", {exitAt(10, 25, 40), exitAt(10, -25, 40)}, 15, 300, 15, 0},
        // Times x, x + 50 and 400 - x: the spread is 400 - 2x up to x = 175,
        // 50 from 175 to 200, 2x - 350 beyond.
        TieCase{"flatBottom", {exitAt(0, 0, 0), exitAt(-50, 0, 0), exitAt(400, 0, 0)}, 0, 600, 175, 50}),
    [](const ::testing::TestParamInfo<TieCase>& p) { return std::string(p.param.name); });

struct ChosenCase {
  const char* name;
  double chosen;
  bool kept;  // a finite point is where the times are taken; anything else gives way to the best point
};
void PrintTo(const ChosenCase& c, std::ostream* os) { *os << c.name; }

class EqualTimeChosen : public ::testing::TestWithParam<ChosenCase> {};

TEST_P(EqualTimeChosen, IsKeptWhenFiniteAndOtherwiseTheBestPoint) {
  const ChosenCase& c = GetParam();
  const auto rows = focusedRays(120, 300, 2, {-40, -10, 20, 35});
  const graphs::EqualTimeData best = graphs::EqualTime(rows, 2, 15, 300);
  const graphs::EqualTimeData d = graphs::EqualTime(rows, 2, 15, 300, c.chosen);
  const double at = c.kept ? c.chosen : best.bestX;
  EXPECT_EQ(d.chosenX, at);
  EXPECT_EQ(d.bestX, best.bestX);
  ASSERT_EQ(d.rays.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(d.rays[i].index, static_cast<int>(i));
    EXPECT_DOUBLE_EQ(d.rays[i].time, rows[i].arrivalTime + std::hypot(at - rows[i].exitX, rows[i].exitY) / 2) << i;
  }
  EXPECT_EQ(graphs::EqualTimeCsv(d).find("nan"), std::string::npos);
  EXPECT_EQ(graphs::EqualTimeCsv(d).find("inf"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Points, EqualTimeChosen,
                         ::testing::Values(ChosenCase{"inside", 200, true}, ChosenCase{"beyondTheRange", 450, true},
                                           ChosenCase{"nan", std::numeric_limits<double>::quiet_NaN(), false},
                                           ChosenCase{"infinite", std::numeric_limits<double>::infinity(), false},
                                           ChosenCase{"minusInfinite", -std::numeric_limits<double>::infinity(),
                                                      false}),
                         [](const ::testing::TestParamInfo<ChosenCase>& p) { return std::string(p.param.name); });

TEST(EqualTime, NeedsTwoContinuedRaysAndARange) {
  auto rows = focusedRays(100, 300, 2, {-10, 10, 20});
  rows[1].continuation.drawn = rows[2].continuation.drawn = false;
  EXPECT_TRUE(graphs::EqualTime(rows, 2, 15, 300).x.empty());
  rows[1].continuation.drawn = true;
  EXPECT_FALSE(graphs::EqualTime(rows, 2, 15, 300).x.empty());
  EXPECT_TRUE(graphs::EqualTime(rows, 2, 300, 15).x.empty());
  EXPECT_TRUE(graphs::EqualTime(rows, 2, 15, INFINITY).x.empty());
  EXPECT_EQ(graphs::EqualTimeCsv({}), "x,spread\n");
}

}  // namespace
