#include "optics/Single.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include "ParamName.h"

namespace {

using optics::RoundToSingle;

constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct RoundingCase {
  const char* Name;
  double Input;
  float Expected;
};

void PrintTo(const RoundingCase& c, std::ostream* os) { *os << c.Name; }

class RoundToSingleTest : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundToSingleTest, MatchesIeeeRoundToNearest) {
  const RoundingCase& c = GetParam();
  const float got = RoundToSingle(c.Input);
  EXPECT_EQ(got, c.Expected) << c.Name;
  EXPECT_EQ(std::signbit(got), std::signbit(c.Expected)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundToSingleTest,
    ::testing::Values(
        RoundingCase{"one", 1.0, 1.0f}, RoundingCase{"minus zero", -0.0, -0.0f},
        // 0.1 is not representable; the nearest float is 0x1.99999ap-4.
        RoundingCase{"tenth", 0.1, 0x1.99999ap-4f},
        // Half-way between 1 and the next float: ties to even, i.e. down to 1.
        RoundingCase{"tie to even", 1.0 + 0x1p-24, 1.0f},
        RoundingCase{"just over FLT_MAX", 0x1.fffffe8p127, kFloatMax},
        RoundingCase{"just under minus FLT_MAX", -0x1.fffffe8p127, -kFloatMax},
        RoundingCase{"overflow midpoint", 0x1.ffffffp127, kInf},
        RoundingCase{"huge", 1e300, kInf}, RoundingCase{"minus huge", -1e300, -kInf},
        RoundingCase{"infinity", std::numeric_limits<double>::infinity(), kInf},
        RoundingCase{"underflow", 1e-60, 0.0f}),
    optics::testing::ByName());

TEST(RoundToSingle, NanStaysNan) {
  EXPECT_TRUE(std::isnan(RoundToSingle(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
