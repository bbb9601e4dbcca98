// The one-line JSON trace of a drawing operation, as --trace writes it.
#include "lab/Op.h"
#include "lab/Trace.h"

#include "numeric/Colour.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using lab::Op;
using K = Op::Kind;

struct TraceCase {
  const char* name;
  Op op;
  const char* expected;
};

class TraceLine : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceLine, IsTheOperationAsOneJsonObject) { EXPECT_EQ(lab::TraceLine(GetParam().op), GetParam().expected); }

// Numbers in their shortest form (0.1 as 0.1, a third with all 16 digits),
// colours as #rrggbb, red first.
INSTANTIATE_TEST_SUITE_P(
    Kinds, TraceLine,
    ::testing::Values(
        TraceCase{"Line",
                  {.kind = K::Line, .x1 = 1, .y1 = -2.5, .x2 = 0.1, .y2 = 1e-300, .color = numeric::kRed, .style = 2},
                  R"({"op":"line","x1":1,"y1":-2.5,"x2":0.1,"y2":1e-300,"color":"#ff0000","width":1,"style":2})"},
        TraceCase{"NegativeZeroIsZero",
                  {.kind = K::Line, .x1 = -0.0, .y1 = 0, .x2 = -0.0, .y2 = 1e20},
                  R"({"op":"line","x1":0,"y1":0,"x2":0,"y2":1e+20,"color":"#000000","width":1,"style":0})"},
        TraceCase{"CircleFilled",
                  {.kind = K::Circle,
                   .x1 = -15,
                   .y1 = 0.0001,
                   .r = 1.0 / 3.0,
                   .color = numeric::Rgb(1, 2, 3),
                   .width = 2,
                   .fill = numeric::kOlive},
                  R"({"op":"circle","x":-15,"y":1e-04,"r":0.3333333333333333,"color":"#010203","width":2,"fill":"#969650"})"},
        TraceCase{"CircleHollow",
                  {.kind = K::Circle, .x1 = 123456, .y1 = 1e5, .r = 4, .color = numeric::kBlue},
                  R"({"op":"circle","x":123456,"y":1e+05,"r":4,"color":"#0000ff","width":1,"fill":null})"},
        TraceCase{"Arc",
                  {.kind = K::Arc, .x1 = 2, .y1 = 3, .r = 7.25, .start = 0.5, .end = 6.25, .color = numeric::kMagenta},
                  R"({"op":"arc","x":2,"y":3,"r":7.25,"start":0.5,"end":6.25,"color":"#ff00ff","width":1})"},
        TraceCase{"PSet",
                  {.kind = K::PSet, .x1 = -0.001, .y1 = 123456789012345678.0, .color = numeric::kDarkRed, .width = 5},
                  R"({"op":"pset","x":-0.001,"y":123456789012345680,"color":"#c00000","width":5})"},
        TraceCase{"Cls", {.kind = K::Cls, .x1 = 9, .color = numeric::kRed}, R"({"op":"cls"})"},
        // The fill's boundary colour is the operation's own business.
        TraceCase{"FloodFill",
                  {.kind = K::FloodFill, .x1 = 320, .y1 = 240, .color = numeric::kOlive, .fill = numeric::kBlack},
                  R"({"op":"floodfill","x":320,"y":240,"color":"#969650"})"}),
    [](const ::testing::TestParamInfo<TraceCase>& p) { return std::string(p.param.name); });

// The number after "key": in a line, as written.
std::string field(const std::string& line, const std::string& key) {
  const auto at = line.find("\"" + key + "\":");
  if (at == std::string::npos) return {};
  const auto from = at + key.size() + 3;
  return line.substr(from, line.find_first_of(",}", from) - from);
}

double readBack(const std::string& text) {
  double v = NAN;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  EXPECT_TRUE(ec == std::errc{} && end == text.data() + text.size()) << "not a number: '" << text << "'";
  return v;
}

// Any coordinate, of any magnitude, reads back as the very double drawn
// (a negative zero as zero), whatever it is.
TEST(TraceLine, NumbersReadBackBitForBit) {
  std::mt19937_64 rng(3);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_real_distribution<> frame(-2000, 2000);
  auto next = [&] {
    const double v = rng() % 2 == 0 ? frame(rng) : std::bit_cast<double>(bits(rng));
    return std::isfinite(v) ? v : 0.5;
  };
  for (int i = 0; i < 5000; ++i) {
    const Op arc{.kind = K::Arc, .x1 = next(), .y1 = next(), .r = next(), .start = next(), .end = next()};
    const std::string line = lab::TraceLine(arc);
    ASSERT_EQ(line.find('\n'), std::string::npos) << line;
    using Number = std::pair<std::string, double>;
    for (const Number& n : {Number{"x", arc.x1}, {"y", arc.y1}, {"r", arc.r}, {"start", arc.start}, {"end", arc.end}}) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(readBack(field(line, n.first))),
                std::bit_cast<std::uint64_t>(n.second == 0 ? 0.0 : n.second))
          << n.first << " in " << line;
    }
  }
}

}  // namespace
