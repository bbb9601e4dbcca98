// The media's index profiles: each gradient is the derivative of its index
// (checked by central differences), the closed forms hold where they are
// known, and a medium that cannot exist is refused in one line.
#include "optics/Medium.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using optics::MediumDesign;
using optics::MediumProfile;

struct GradientCase {
  const char* name;
  MediumDesign design;
};

class MediumGradient : public ::testing::TestWithParam<GradientCase> {};

TEST_P(MediumGradient, IsTheIndexsDerivative) {
  const optics::MediumBuild b = optics::MakeMedium(GetParam().design);
  ASSERT_TRUE(b.medium.has_value()) << b.error;
  const optics::Medium& m = *b.medium;
  constexpr double h = 1e-5;
  for (const auto& [x, y] : {std::pair{-120.0, 30.0}, std::pair{40.0, -70.0}, std::pair{5.0, 100.0}}) {
    ASSERT_TRUE(m.defined(x, y));
    const optics::IndexAt n = m.at(x, y);
    EXPECT_GE(n.n, optics::kMinMediumIndex);
    const double dx = (m.at(x + h, y).n - m.at(x - h, y).n) / (2 * h);
    const double dy = (m.at(x, y + h).n - m.at(x, y - h).n) / (2 * h);
    EXPECT_NEAR(n.dx, dx, 1e-8) << x << "," << y;
    EXPECT_NEAR(n.dy, dy, 1e-8) << x << "," << y;
    // The second derivatives are the gradient's derivatives.
    EXPECT_NEAR(n.xx, (m.at(x + h, y).dx - m.at(x - h, y).dx) / (2 * h), 1e-8) << x << "," << y;
    EXPECT_NEAR(n.xy, (m.at(x, y + h).dx - m.at(x, y - h).dx) / (2 * h), 1e-8) << x << "," << y;
    EXPECT_NEAR(n.xy, (m.at(x + h, y).dy - m.at(x - h, y).dy) / (2 * h), 1e-8) << x << "," << y;
    EXPECT_NEAR(n.yy, (m.at(x, y + h).dy - m.at(x, y - h).dy) / (2 * h), 1e-8) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, MediumGradient,
    ::testing::Values(GradientCase{"uniform", {.N = 1.33}},
                      GradientCase{"hotRoad", {.Profile = MediumProfile::HotRoad, .N0 = 1.2, .G = 0.0005}},
                      GradientCase{"fibre", {.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.004}},
                      GradientCase{"halfPlane", {.Profile = MediumProfile::HalfPlane, .C = 300, .Y0 = -250}},
                      GradientCase{"luneburg", {.Profile = MediumProfile::Luneburg, .R = 150}}),
    [](const ::testing::TestParamInfo<GradientCase>& p) { return std::string(p.param.name); });

TEST(Medium, ClosedFormsHold) {
  const optics::Medium lune = *optics::MakeMedium({.Profile = MediumProfile::Luneburg, .R = 100}).medium;
  EXPECT_DOUBLE_EQ(lune.at(0, 0).n, std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(lune.at(100, 0).n, 1);  // the rim joins the outside
  EXPECT_DOUBLE_EQ(lune.at(60, 80).n, 1);
  const optics::Medium fibre = *optics::MakeMedium({.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.01}).medium;
  EXPECT_DOUBLE_EQ(fibre.at(0, 0).n, 1.5);
  EXPECT_NEAR(fibre.at(0, 60).n * fibre.at(0, 60).n, 1.5 * 1.5 * (1 - 0.36), 1e-12);
  EXPECT_FALSE(fibre.defined(0, 100));
  const optics::Medium half = *optics::MakeMedium({.Profile = MediumProfile::HalfPlane, .C = 200, .Y0 = -100}).medium;
  EXPECT_DOUBLE_EQ(half.at(0, 100).n, 1);
  EXPECT_FALSE(half.defined(0, -100));
  // The medium ends where its index leaves the range a medium may have.
  EXPECT_TRUE(half.defined(0, -79));   // n = 200 / 21 < 10
  EXPECT_FALSE(half.defined(0, -81));  // n = 200 / 19 > 10
  const optics::Medium road = *optics::MakeMedium({.Profile = MediumProfile::HotRoad, .N0 = 1, .G = 0.01}).medium;
  EXPECT_TRUE(road.defined(0, -94));   // n = 0.06
  EXPECT_FALSE(road.defined(0, -96));  // n = 0.04
  const optics::Medium layers =
      *optics::MakeMedium({.Profile = MediumProfile::Layers, .Y = {-50, 20}, .Ns = {1, 1.33, 2}}).medium;
  EXPECT_EQ(layers.at(0, -80).n, 1);
  EXPECT_EQ(layers.at(0, 0).n, 1.33);
  EXPECT_EQ(layers.at(0, 20).n, 2);  // a boundary belongs to the layer above it
  EXPECT_EQ(layers.at(0, 0).dy, 0);
}

struct RefusalCase {
  const char* name;
  MediumDesign design;
  const char* says;
};

class MediumRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(MediumRefusal, InOneLine) {
  const optics::MediumBuild b = optics::MakeMedium(GetParam().design);
  EXPECT_FALSE(b.medium.has_value());
  EXPECT_NE(b.error.find(GetParam().says), std::string::npos) << b.error;
  EXPECT_EQ(b.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, MediumRefusal,
    ::testing::Values(RefusalCase{"indexZero", {.N = 0}, "n = 0 is out of range (0.05 to 10)"},
                      RefusalCase{"indexHigh", {.N = 12.5}, "n = 12.5 is out of range (0.05 to 10)"},
                      RefusalCase{"indexNaN", {.N = NAN}, "out of range"},
                      RefusalCase{"steepRoad", {.Profile = MediumProfile::HotRoad, .G = 2}, "g must"},
                      RefusalCase{"flatFibre", {.Profile = MediumProfile::Fibre, .A = 0}, "a must"},
                      RefusalCase{"halfPlaneC", {.Profile = MediumProfile::HalfPlane, .C = -1}, "c must"},
                      RefusalCase{"tinyLens", {.Profile = MediumProfile::Luneburg, .R = 0.5}, "r must"},
                      RefusalCase{"layersCount", {.Profile = MediumProfile::Layers, .Y = {0}, .Ns = {1}}, "1 boundary needs 2"},
                      RefusalCase{"layersOrder",
                                  {.Profile = MediumProfile::Layers, .Y = {10, 0}, .Ns = {1, 1.2, 1.4}},
                                  "rising"}),
    [](const ::testing::TestParamInfo<RefusalCase>& p) { return std::string(p.param.name); });

}  // namespace
