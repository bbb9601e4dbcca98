// The equal-time view: rays whose times to one point of the axis agree show
// their least spread there; too few rays give nothing.
#include "graphs/EqualTime.h"

#include <gtest/gtest.h>

#include <cmath>
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
