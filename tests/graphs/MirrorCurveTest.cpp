// The travel-time curve along a mirror: its samples run over the whole
// mirror, every stationary point is marked with its kind where the sampled
// time has an extremum of that kind, and the file writes each mark.
#include "graphs/Csv.h"
#include "graphs/TravelTimeCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct CurveCase {
  const char* name;
  optics::MirrorDesign design;
  graphs::CurveInput in;
  std::size_t marks;
};

class MirrorCurve : public ::testing::TestWithParam<CurveCase> {};

TEST_P(MirrorCurve, MarksEachStationaryPointWhereTheSampledTimeTurns) {
  const CurveCase& c = GetParam();
  const optics::Mirror m = *optics::MakeMirror(c.design).mirror;
  const graphs::CurveData d = graphs::MirrorTravelTimeCurve(c.in, m, 1.0);
  ASSERT_TRUE(d.alongMirror);
  ASSERT_EQ(d.samples.size(), static_cast<std::size_t>(graphs::kCurveSamples));
  EXPECT_EQ(d.samples.front().theta, m.uMin());
  EXPECT_EQ(d.samples.back().theta, m.uMax());
  ASSERT_EQ(d.stationary.size(), c.marks);
  for (const graphs::StationaryMark& mark : d.stationary) {
    // The samples either side of the mark, by height along the mirror.
    const auto after = std::find_if(d.samples.begin(), d.samples.end(),
                                    [&](const graphs::CurveSample& s) { return s.y > mark.y; });
    ASSERT_TRUE(after != d.samples.begin() && after != d.samples.end());
    const double left = std::prev(after)->time, right = after->time;
    if (mark.kind == optics::StationaryKind::Minimum) {
      EXPECT_LE(mark.time, std::min(left, right) + 1e-12) << mark.y;
    } else if (mark.kind == optics::StationaryKind::Maximum) {
      EXPECT_GE(mark.time, std::max(left, right) - 1e-12) << mark.y;
    }
  }
  // The least mark is the curve's least point, and no sample lies below it.
  ASSERT_TRUE(d.least.has_value());
  for (const graphs::CurveSample& s : d.samples) EXPECT_GE(s.time, d.least->time - 1e-9);
  // The hand's time is the path's through it, both legs at the speed given.
  const double hand = std::hypot(c.in.handX - c.in.sourceX, c.in.handY - c.in.sourceY) +
                      std::hypot(c.in.targetX - c.in.handX, c.in.targetY - c.in.handY);
  EXPECT_DOUBLE_EQ(d.hand.time, hand);
  const std::string csv = graphs::CurveCsv(d);
  for (const graphs::StationaryMark& mark : d.stationary) {
    EXPECT_NE(csv.find(std::string("\n") + optics::StationaryKindName(mark.kind) + ",,"), std::string::npos) << csv;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Mirrors, MirrorCurve,
    ::testing::Values(
        CurveCase{"flatOneMinimum", {}, {-200, 60, -120, -40, 0, 10}, 1},
        CurveCase{"stronglyCurvedMinMaxMin",
                  {.Kind = optics::MirrorKind::Concave, .Radius = 150},
                  {-140, 40, -140, -40, -10, 50},
                  3},
        CurveCase{"convexOneMinimum", {.Kind = optics::MirrorKind::Convex, .Radius = 200}, {-220, 80, -90, -30, 0, 0}, 1},
        CurveCase{"parabolaOffAxis", {.Kind = optics::MirrorKind::Parabolic, .Focal = 100}, {-250, 50, -60, 20, 0, 0}, 1}),
    [](const ::testing::TestParamInfo<CurveCase>& p) { return std::string(p.param.name); });

}  // namespace
