// Number formatting for the labels, and the one-line trace of a drawing operation.
#include "lab/Format.h"
#include "lab/Trace.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <string>
#include <utility>

namespace {

struct FormatCase {
  const char* name;
  double Value;
  const char* Pattern;
  const char* Expected;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, Text) {
  EXPECT_EQ(lab::Format(GetParam().Value, GetParam().Pattern), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatTest,
    ::testing::Values(FormatCase{"Whole", -26.7, "0", "-27"}, FormatCase{"Padded", 124.3, "0.00", "124.30"},
                      // 2.675 is stored just below 2.675; it shows as the decimal typed, rounded half up.
                      FormatCase{"HalfUp", 2.675, "0.00", "2.68"},
                      FormatCase{"NegativeHalfAway", -26.395, "0.00", "-26.40"},
                      FormatCase{"RoundedZeroHasNoSign", -0.001, "0.00", "0.00"},
                      FormatCase{"ThreeDecimalsCarry", 1.9995, "0.000", "2.000"},
                      FormatCase{"NoPatternInteger", -99, "", "-99"}, FormatCase{"NoPatternFraction", 0.25, "", "0.25"},
                      FormatCase{"NaN", std::numeric_limits<double>::quiet_NaN(), "0.00", "—"},
                      FormatCase{"Infinity", std::numeric_limits<double>::infinity(), "", "—"}),
    [](const ::testing::TestParamInfo<FormatCase>& c) { return std::string(c.param.name); });

TEST(Trace, LineIsOneJsonObjectWhoseNumbersReadBackExactly) {
  const double third = 1.0 / 3.0;
  const lab::Op op{.kind = lab::Op::Kind::Line, .x1 = 0.1, .y1 = -third, .x2 = 1e-300, .y2 = -26.395};
  const std::string text = lab::TraceLine(op);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_EQ(text.substr(0, 13), "{\"op\":\"line\",") << text;
  EXPECT_EQ(text.back(), '}');
  using Number = std::pair<std::string, double>;  // key, and the double its text must read back as
  for (const Number& n : {Number{"x1", 0.1}, {"y1", -third}, {"x2", 1e-300}, {"y2", -26.395}, {"width", 1}}) {
    const auto at = text.find("\"" + n.first + "\":");
    ASSERT_NE(at, std::string::npos) << n.first << " in " << text;
    // The number runs to the next ',' or '}'; it must read back in the C
    // locale's form whatever locale the test runs under.
    const auto from = at + n.first.size() + 3;
    const std::string number = text.substr(from, text.find_first_of(",}", from) - from);
    double read = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), read);
    EXPECT_TRUE(ec == std::errc{} && end == number.data() + number.size()) << number;
    EXPECT_EQ(read, n.second) << n.first << " in " << text;
  }
}

// Each colour is written as #rrggbb in red, green, blue order, the fill as well.
TEST(Trace, ColoursAreRedGreenBlue) {
  using lab::Op;
  const Op red{.kind = Op::Kind::Line, .color = numeric::kRed};
  const Op blue{.kind = Op::Kind::PSet, .color = numeric::kBlue};
  const Op disc{.kind = Op::Kind::Circle, .color = numeric::Rgb(1, 2, 3), .fill = numeric::kOlive};
  EXPECT_NE(lab::TraceLine(red).find("\"color\":\"#ff0000\""), std::string::npos);
  EXPECT_NE(lab::TraceLine(blue).find("\"color\":\"#0000ff\""), std::string::npos);
  EXPECT_NE(lab::TraceLine(disc).find("\"color\":\"#010203\""), std::string::npos);
  EXPECT_NE(lab::TraceLine(disc).find("\"fill\":\"#969650\""), std::string::npos);
}

}  // namespace
