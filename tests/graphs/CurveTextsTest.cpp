// The travel-time graph's words, which the window's chart and the page's
// graph both show.
#include "graphs/CurveTexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

struct LineCase {
  const char* name;
  bool samples;
  std::optional<graphs::TimedPoint> least;
  const char* expected;
};

class LeastTimeLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LeastTimeLine, SaysWhereTheLeastTimeIsOrThatThereIsNone) {
  const LineCase& c = GetParam();
  graphs::CurveData d;
  if (c.samples) d.samples.push_back({.theta = 0.1, .x = 1, .y = 2, .time = 3});
  d.least = c.least;
  EXPECT_EQ(graphs::LeastTimeLine(d), c.expected);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Curves, LeastTimeLine,
    ::testing::Values(LineCase{"found", true, graphs::TimedPoint{0, 12.347, 5.678}, "least time 5.68 at height 12.35"},
                      LineCase{"negativeHeight", true, graphs::TimedPoint{0, -3.004, 7.0}, "least time 7.00 at height -3.00"},
                      LineCase{"notFound", true, std::nullopt, "the least-time search found no point"},
                      LineCase{"infiniteTime", true, graphs::TimedPoint{0, 1, kInf}, "the least-time search found no point"},
                      LineCase{"noCurve", false, std::nullopt, ""}),
    [](const ::testing::TestParamInfo<LineCase>& i) { return std::string(i.param.name); });

}  // namespace
