// Number formatting for the labels, and the one-line trace of a canvas operation.
#include "canvas/Format.h"
#include "canvas/Trace.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "Pixels.h"

namespace {

using canvas::CanvasOp;
using canvas::Rgb;

// ---------------------------------------------------------------- Format

struct FormatCase {
  const char* Name;
  double Value;
  const char* Pattern;
  const char* Expected;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, Text) {
  const FormatCase& k = GetParam();
  EXPECT_EQ(canvas::Format(k.Value, k.Pattern).toStdString(), k.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatTest,
    ::testing::Values(
        FormatCase{"WholeTen", 10, "0", "10"}, FormatCase{"WholeRoundsUp", 4.6, "0", "5"},
        FormatCase{"WholeZero", 0, "0", "0"}, FormatCase{"WholeNegative", -26.7, "0", "-27"},
        FormatCase{"TwoDecimalsPadded", 124.3, "0.00", "124.30"},
        // 2.675 is stored just below 2.675; the label shows the decimal the user typed rounded up.
        FormatCase{"TwoDecimalsHalfUp", 2.675, "0.00", "2.68"},
        FormatCase{"NegativeHalfAway", -26.395, "0.00", "-26.40"},
        FormatCase{"LeadingZero", 0.5, "0.00", "0.50"},
        // No minus on a value that shows as zero.
        FormatCase{"RoundedZeroHasNoSign", -0.001, "0.00", "0.00"},
        FormatCase{"NegativeZero", -0.0, "0.000", "0.000"},
        FormatCase{"ThreeDecimalsCarry", 1.999999, "0.000", "2.000"},
        FormatCase{"ThreeDecimals", 71.9375, "0.000", "71.938"},
        FormatCase{"Large", 1e20, "0.00", "100000000000000000000.00"},
        FormatCase{"GeneralInteger", 0, "", "0"}, FormatCase{"GeneralNegativeInteger", -99, "", "-99"},
        FormatCase{"GeneralFraction", 0.25, "", "0.25"},
        FormatCase{"NaN", std::numeric_limits<double>::quiet_NaN(), "0.00", "—"},
        FormatCase{"Infinity", std::numeric_limits<double>::infinity(), "", "—"}),
    canvas_testing::ByName{});

// ---------------------------------------------------------------- TraceLine

struct TraceCase {
  const char* Name;
  CanvasOp Op;
  const char* OpName;
  std::vector<std::pair<const char*, double>> Numbers;  // key and the value it must read back as
  std::vector<const char*> OtherKeys;
};

// The number written after "key": in the raw text, read back with strtod.
double RawNumber(const std::string& text, const std::string& key) {
  const std::string tag = "\"" + key + "\":";
  const auto at = text.find(tag);
  if (at == std::string::npos) return std::numeric_limits<double>::quiet_NaN();
  return std::strtod(text.c_str() + at + tag.size(), nullptr);
}

class TraceTest : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceTest, OneJsonObjectWhoseNumbersReadBackExactly) {
  const TraceCase& k = GetParam();
  const std::string text = canvas::TraceLine(k.Op);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << text;
  ASSERT_TRUE(doc.isObject()) << text;
  const QJsonObject obj = doc.object();
  EXPECT_EQ(obj.value("op").toString().toStdString(), k.OpName);
  for (const auto& [key, value] : k.Numbers) {
    EXPECT_TRUE(obj.value(key).isDouble()) << key;
    EXPECT_EQ(RawNumber(text, key), value) << key << " in " << text;
  }
  for (const char* key : k.OtherKeys) EXPECT_TRUE(obj.contains(key)) << key << " in " << text;
  EXPECT_EQ(static_cast<std::size_t>(obj.size()), 1 + k.Numbers.size() + k.OtherKeys.size()) << text;
}

constexpr double kThird = 1.0 / 3.0;
constexpr double kArcStart = static_cast<double>(5.872047f);

INSTANTIATE_TEST_SUITE_P(
    Table, TraceTest,
    ::testing::Values(
        TraceCase{"Line",
                  {.kind = CanvasOp::Kind::Line, .x1 = 0.1, .y1 = -kThird, .x2 = 1e-300, .y2 = -26.395,
                   .color = Rgb(255, 0, 0), .width = 2, .style = 1},
                  "line",
                  {{"x1", 0.1}, {"y1", -kThird}, {"x2", 1e-300}, {"y2", -26.395}, {"width", 2}, {"style", 1}},
                  {"color"}},
        TraceCase{"FilledCircle",
                  {.kind = CanvasOp::Kind::Circle, .x1 = 16.8, .y1 = 0, .r = 1.5, .fill = Rgb(255, 255, 0)},
                  "circle",
                  {{"x", 16.8}, {"y", 0}, {"r", 1.5}, {"width", 1}},
                  {"color", "fill"}},
        TraceCase{"Arc",
                  {.kind = CanvasOp::Kind::Arc, .x1 = -165, .y1 = 0, .r = 180, .start = kArcStart,
                   .end = 0.41113826632499695},
                  "arc",
                  {{"x", -165}, {"y", 0}, {"r", 180}, {"start", kArcStart}, {"end", 0.41113826632499695},
                   {"width", 1}},
                  {"color"}},
        TraceCase{"PSet",
                  {.kind = CanvasOp::Kind::PSet, .x1 = 0, .y1 = 71.93747711181641, .width = 4},
                  "pset",
                  {{"x", 0}, {"y", 71.93747711181641}, {"width", 4}},
                  {"color"}},
        TraceCase{"Cls", {.kind = CanvasOp::Kind::Cls}, "cls", {}, {}},
        TraceCase{"FloodFill",
                  {.kind = CanvasOp::Kind::FloodFill, .x1 = 640, .y1 = 400, .color = Rgb(150, 150, 80)},
                  "floodfill",
                  {{"x", 640}, {"y", 400}},
                  {"color"}}),
    canvas_testing::ByName{});

TEST(Trace, ColoursAreHexTriplesAndAnAbsentFillIsNull) {
  const CanvasOp filled{.kind = CanvasOp::Kind::Circle, .color = Rgb(150, 150, 80), .fill = Rgb(255, 255, 0)};
  const CanvasOp ring{.kind = CanvasOp::Kind::Circle, .color = Rgb(1, 2, 171)};
  const QJsonObject a = QJsonDocument::fromJson(QByteArray::fromStdString(canvas::TraceLine(filled))).object();
  const QJsonObject b = QJsonDocument::fromJson(QByteArray::fromStdString(canvas::TraceLine(ring))).object();
  EXPECT_EQ(a.value("color").toString(), "#969650");
  EXPECT_EQ(a.value("fill").toString(), "#ffff00");
  EXPECT_EQ(b.value("color").toString(), "#0102ab");
  EXPECT_TRUE(b.value("fill").isNull());
}

}  // namespace
