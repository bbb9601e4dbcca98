// Number formatting for the labels, and the one-line trace of a canvas operation.
#include "canvas/Format.h"
#include "canvas/Trace.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "Pixels.h"

namespace {

struct FormatCase {
  const char* name;
  double Value;
  const char* Pattern;
  const char* Expected;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, Text) {
  EXPECT_EQ(canvas::Format(GetParam().Value, GetParam().Pattern).toStdString(), GetParam().Expected);
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
    canvas_testing::ByName{});

TEST(Trace, LineIsOneJsonObjectWhoseNumbersReadBackExactly) {
  const double third = 1.0 / 3.0;
  const canvas::CanvasOp op{.kind = canvas::CanvasOp::Kind::Line, .x1 = 0.1, .y1 = -third, .x2 = 1e-300, .y2 = -26.395};
  const std::string text = canvas::TraceLine(op);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  QJsonParseError error{};
  const QJsonObject obj = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << text;
  EXPECT_EQ(obj.value("op").toString(), "line");
  using Number = std::pair<std::string, double>;  // key, and the double its text must read back as
  for (const Number& n : {Number{"x1", 0.1}, {"y1", -third}, {"x2", 1e-300}, {"y2", -26.395}, {"width", 1}}) {
    const auto at = text.find("\"" + n.first + "\":");
    ASSERT_NE(at, std::string::npos) << n.first << " in " << text;
    // The number runs to the next ',' or '}'; it must read back in the C
    // locale's form whatever locale the test runs under.
    const auto from = at + n.first.size() + 3;
    const std::string number = text.substr(from, text.find_first_of(",}", from) - from);
    bool ok = false;
    EXPECT_EQ(QString::fromStdString(number).toDouble(&ok), n.second) << n.first << " in " << text;
    EXPECT_TRUE(ok) << number;
  }
}

// Each colour is written as #rrggbb in red, green, blue order, the fill as well.
TEST(Trace, ColoursAreRedGreenBlue) {
  using canvas::CanvasOp;
  const CanvasOp red{.kind = CanvasOp::Kind::Line, .color = numeric::kRed};
  const CanvasOp blue{.kind = CanvasOp::Kind::PSet, .color = numeric::kBlue};
  const CanvasOp disc{.kind = CanvasOp::Kind::Circle, .color = canvas::Rgb(1, 2, 3), .fill = numeric::kOlive};
  EXPECT_NE(canvas::TraceLine(red).find("\"color\":\"#ff0000\""), std::string::npos);
  EXPECT_NE(canvas::TraceLine(blue).find("\"color\":\"#0000ff\""), std::string::npos);
  EXPECT_NE(canvas::TraceLine(disc).find("\"color\":\"#010203\""), std::string::npos);
  EXPECT_NE(canvas::TraceLine(disc).find("\"fill\":\"#969650\""), std::string::npos);
}

}  // namespace
