// The CSV text of the curve and of the bundle, and the axis crossing of a
// continued ray.
#include "graphs/Csv.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <random>
#include <sstream>

namespace {

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out(1);
  for (const char ch : s) {
    if (ch == sep) {
      out.emplace_back();
    } else {
      out.back() += ch;
    }
  }
  return out;
}

double parse(const std::string& s) {
  double v = NAN;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  EXPECT_TRUE(ec == std::errc{} && end == s.data() + s.size()) << "not a number: '" << s << "'";
  return v;
}

TEST(CsvNumber, ReadsBackBitForBitWhateverTheLocale) {
  // A locale with a decimal comma must not leak into the files.
  const bool greek = std::setlocale(LC_ALL, "el_GR.UTF-8") != nullptr;
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<> any(-1e3, 1e3);
  for (int i = 0; i < 2000; ++i) {
    const double v = i % 3 == 0 ? any(rng) * 1e-300 : any(rng);
    const std::string text = graphs::CsvNumber(v);
    ASSERT_EQ(text.find(','), std::string::npos) << text;
    ASSERT_EQ(parse(text), v) << text;
  }
  std::setlocale(LC_ALL, "C");
  if (!greek) GTEST_SKIP() << "no Greek locale to try the decimal comma with";
}

TEST(CsvNumber, LeavesNonFiniteValuesEmpty) {
  EXPECT_EQ(graphs::CsvNumber(NAN), "");
  EXPECT_EQ(graphs::CsvNumber(INFINITY), "");
  EXPECT_EQ(graphs::CsvNumber(-INFINITY), "");
}

struct CrossingCase {
  const char* name;
  double exitX, exitY;
  bool drawn;
  double endX, endY;
  std::optional<double> axisX;
};

class AxisCrossingCases : public ::testing::TestWithParam<CrossingCase> {};

TEST_P(AxisCrossingCases, IsWhereTheRedLineMeetsTheAxis) {
  const CrossingCase& c = GetParam();
  graphs::BundleRayRow r{.exitX = c.exitX, .exitY = c.exitY};
  r.continuation = {.drawn = c.drawn, .endX = c.endX, .endY = c.endY};
  const std::optional<double> x = graphs::AxisCrossing(r);
  ASSERT_EQ(x.has_value(), c.axisX.has_value());
  if (x) {
    EXPECT_DOUBLE_EQ(*x, *c.axisX);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxisCrossingCases,
    ::testing::Values(CrossingCase{"downwardRay", 10, 30, true, 310, -30, 160},
                      CrossingCase{"upwardRay", 10, -20, true, 50, 20, 30},
                      CrossingCase{"leavesTheFrameBeforeTheAxis", 10, 30, true, 300, 10, std::nullopt},
                      CrossingCase{"divergingRay", 10, 30, true, 300, 200, std::nullopt},
                      CrossingCase{"parallelToTheAxis", 10, 30, true, 300, 30, std::nullopt},
                      CrossingCase{"alongTheAxis", 15, 0, true, 300, 0, std::nullopt},
                      CrossingCase{"startsOnTheAxis", 15, 0, true, 300, 40, std::nullopt},
                      CrossingCase{"onTheAxisUpToRounding", 15, 1e-15, true, 300, -1e-13, std::nullopt},
                      CrossingCase{"justOffTheAxis", 15, 1e-3, true, 215, -1e-3, 115},
                      CrossingCase{"notDrawn", 10, 30, false, 310, -30, std::nullopt}),
    [](const ::testing::TestParamInfo<CrossingCase>& i) { return std::string(i.param.name); });

TEST(BundleCsv, OneRowPerRayWithEmptyFieldsForWhatIsMissing) {
  EXPECT_EQ(graphs::BundleCsv({}),
            "i,exit_x,exit_y,entry_x,entry_y,arrival_time,incidence_deg,continued,axis_x,n,exact_axis_x\n");
  graphs::BundleRayRow reflected{
      .exitX = 4.5, .exitY = -60.25, .entryX = -4.5, .entryY = -60.5, .arrivalTime = 139.875, .incidenceDeg = 31.5};
  graphs::BundleRayRow continued{
      .exitX = 11.25, .exitY = 36.75, .entryX = -11, .entryY = 37.5, .arrivalTime = 167.875, .incidenceDeg = 10.25};
  continued.continuation = {.drawn = true, .endX = 211.25, .endY = -63.25, .ratio = -2.0005};
  // The exact crossing, last, whether or not the construction found one.
  continued.exactAxisX = 84.6015625;
  const std::vector<std::string> lines = split(graphs::BundleCsv({reflected, continued}), '\n');
  ASSERT_EQ(lines.size(), 4u);  // header, two rows, and the empty piece after the last newline
  EXPECT_EQ(lines[1], "0,4.5,-60.25,-4.5,-60.5,139.875,31.5,0,,,");
  EXPECT_EQ(lines[2], "1,11.25,36.75,-11,37.5,167.875,10.25,1,84.75,-2.0005,84.6015625");
  EXPECT_EQ(lines[3], "");
}

TEST(CurveCsv, SamplesThenTheLeastAndTheHandRow) {
  graphs::CurveData d;
  d.samples = {{-0.5, 1.5, -2.25, 170.125}, {0.5, 1.5, 2.25, 171}};
  d.hand = {-10, 20, 167.5};
  std::vector<std::string> lines = split(graphs::CurveCsv(d), '\n');
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "kind,theta,x,y,time");
  EXPECT_EQ(lines[1], "sample,-0.5,1.5,-2.25,170.125");
  EXPECT_EQ(lines[3], "least,,,,");  // the search found nothing
  EXPECT_EQ(lines[4], "hand,,-10,20,167.5");
  d.least = graphs::TimedPoint{-12.875, -27.5, 126.71875};
  lines = split(graphs::CurveCsv(d), '\n');
  EXPECT_EQ(lines[3], "least,,-12.875,-27.5,126.71875");
}

}  // namespace

namespace {

TEST(StationaryCsv, OneRowPerPointThatReadsBackToTheSearchsNumbers) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = optics::MirrorKind::Concave, .Radius = 150}).mirror;
  const optics::StationaryResult r = optics::StationaryPoints(m, -140, 40, -140, -40, 2);
  ASSERT_EQ(r.Points.size(), 3u);
  const std::vector<std::string> lines = split(graphs::StationaryCsv(r), '\n');
  ASSERT_EQ(lines.size(), r.Points.size() + 2);  // the header, the rows, and the empty rest after the last '\n'
  EXPECT_EQ(lines.front(), "x,y,time,kind,incidence_deg,reflection_deg");
  EXPECT_EQ(lines.back(), "");
  for (std::size_t i = 0; i < r.Points.size(); ++i) {
    const optics::StationaryPoint& p = r.Points[i];
    const std::vector<std::string> f = split(lines[i + 1], ',');
    ASSERT_EQ(f.size(), 6u) << lines[i + 1];
    EXPECT_EQ(parse(f[0]), p.X);
    EXPECT_EQ(parse(f[1]), p.Y);
    EXPECT_EQ(parse(f[2]), p.Time);
    EXPECT_EQ(f[3], optics::StationaryKindName(p.Kind));
    EXPECT_NEAR(parse(f[4]), p.Incidence * 180 / M_PI, 1e-12);
    EXPECT_NEAR(parse(f[4]), parse(f[5]), 1e-7);
  }
  // A constant time is one row of kind constant.
  const optics::Mirror ellipse = *optics::MakeMirror({.Kind = optics::MirrorKind::Elliptical}).mirror;
  const std::vector<std::string> constant =
      split(graphs::StationaryCsv(optics::StationaryPoints(ellipse, -240, 90, -240, -90, 2)), '\n');
  ASSERT_EQ(constant.size(), 3u);
  EXPECT_EQ(split(constant[1], ',').at(3), "constant");
}

}  // namespace
