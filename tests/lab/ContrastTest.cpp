// The high-contrast theme: every pen colour stands out against the window's
// grey at least 4.5 : 1 with its hue kept (red stays red, blue blue), solid
// pens get wider, dashed and dotted ones keep the one pixel their dashes need.
#include "lab/Contrast.h"

#include <gtest/gtest.h>

namespace {

using numeric::Colour;
using numeric::Rgb;

unsigned red(Colour c) { return (c >> 16) & 0xffu; }
unsigned green(Colour c) { return (c >> 8) & 0xffu; }
unsigned blue(Colour c) { return c & 0xffu; }

class ContrastColours : public testing::TestWithParam<Colour> {};

TEST_P(ContrastColours, StandOutWithTheirHueKept) {
  const Colour c = GetParam(), t = lab::ContrastColour(c);
  EXPECT_GE(lab::ContrastRatio(t, numeric::kBackground), lab::kContrastMinRatio);
  // Darkened by one factor for all three channels: the ratios between channels hold.
  EXPECT_LE(red(t), red(c));
  EXPECT_LE(green(t), green(c));
  EXPECT_LE(blue(t), blue(c));
  if (red(c) > 0 && green(c) > 0) {
    EXPECT_NEAR(double(red(t)) / green(t), double(red(c)) / green(c), 0.05);
  }
  // Already strong enough: kept as it is.
  if (lab::ContrastRatio(c, numeric::kBackground) >= lab::kContrastMinRatio) {
    EXPECT_EQ(t, c);
  }
  // Never darker than it needs: a shade lighter would fall short.
  if (t != c) {
    const Colour lighter = Rgb(std::min(255u, red(t) + (red(c) ? 4u : 0u)), std::min(255u, green(t) + (green(c) ? 4u : 0u)),
                               std::min(255u, blue(t) + (blue(c) ? 4u : 0u)));
    EXPECT_LT(lab::ContrastRatio(lighter, numeric::kBackground), lab::kContrastMinRatio + 0.3);
  }
}

INSTANTIATE_TEST_SUITE_P(Palette, ContrastColours,
                         testing::Values(numeric::kBlack, numeric::kRed, numeric::kGreen, numeric::kBlue, numeric::kMagenta,
                                         numeric::kYellow, numeric::kOlive, numeric::kDarkRed, Rgb(255, 122, 0),
                                         Rgb(128, 128, 128)));

TEST(Contrast, RedAndBlueStayApart) {
  const Colour r = lab::ContrastColour(numeric::kRed), b = lab::ContrastColour(numeric::kBlue);
  EXPECT_GT(red(r), 150u);
  EXPECT_EQ(green(r), 0u);
  EXPECT_EQ(b, numeric::kBlue);
}

TEST(Contrast, RatioIsWcags) {
  EXPECT_NEAR(lab::ContrastRatio(numeric::kBlack, Rgb(255, 255, 255)), 21, 1e-9);
  EXPECT_NEAR(lab::ContrastRatio(numeric::kRed, numeric::kRed), 1, 1e-12);
  EXPECT_NEAR(lab::ContrastRatio(numeric::kBlue, Rgb(255, 255, 255)), 8.59, 0.01);
}

struct PenCase {
  int width, style, want;
};
class ContrastPens : public testing::TestWithParam<PenCase> {};
TEST_P(ContrastPens, SolidWiderStyledKept) {
  EXPECT_EQ(lab::ContrastPenWidth(GetParam().width, GetParam().style), GetParam().want);
}
INSTANTIATE_TEST_SUITE_P(Widths, ContrastPens,
                         testing::Values(PenCase{1, 0, 2}, PenCase{2, 0, 4}, PenCase{3, 0, 6}, PenCase{1, 1, 1}, PenCase{1, 2, 1},
                                         PenCase{2, 1, 4}));

TEST(Contrast, FillsAndClearsKeepTheirColours) {
  lab::Op fill{.kind = lab::Op::Kind::FloodFill, .color = numeric::kOlive};
  EXPECT_EQ(lab::ContrastOp(fill), fill);
  lab::Op line{.kind = lab::Op::Kind::Line, .color = numeric::kRed, .width = 1};
  const lab::Op t = lab::ContrastOp(line);
  EXPECT_EQ(t.width, 2);
  EXPECT_EQ(t.color, lab::ContrastColour(numeric::kRed));
}

}  // namespace
