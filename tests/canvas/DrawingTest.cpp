// Drawing operations of the canvas, checked on the pixels of the retained
// image and through the operation log.
#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include "Pixels.h"

namespace {

using canvas::Canvas;
using canvas::CanvasOp;
using canvas::kBackground;
using canvas::kBlack;
using canvas::Rgb;
using namespace canvas_testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------- arcs

struct ArcCase {
  const char* Name;
  double Start, End;
  std::vector<double> On, Off;  // angles whose rim point must be drawn / must stay clear
  double Sweep;                 // counterclockwise angle from Start to End
};

class ArcTest : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcTest, DrawsOnlyTheCounterclockwiseSweepFromStartToEnd) {
  const ArcCase& k = GetParam();
  Canvas c = UnitCanvas();
  constexpr double r = 100;
  c.Circle(0, 0, r, kBlack, k.Start, k.End);
  for (double a : k.On) EXPECT_TRUE(Near(c, r * std::cos(a), r * std::sin(a), kBlack)) << "angle " << a;
  for (double a : k.Off) EXPECT_FALSE(Near(c, r * std::cos(a), r * std::sin(a), kBlack, 3)) << "angle " << a;
  // An 8-connected rim of length L has between L/sqrt(2) and L pixels.
  const double length = r * k.Sweep;
  const int drawn = CountColour(c, kBlack);
  EXPECT_GT(drawn, 0.65 * length);
  EXPECT_LT(drawn, 1.1 * length + 4);
  EXPECT_EQ(AtWorld(c, 0.5, 0.5), kBackground) << "an arc is never filled";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArcTest,
    ::testing::Values(
        // The second lens surface: the short arc through angle 0, not the long way round.
        ArcCase{"EndBeforeStartRunsThroughZero", 5.872, 0.411, {0.0, 0.3, 2 * std::numbers::pi - 0.3},
                {std::numbers::pi, std::numbers::pi / 2, 3 * std::numbers::pi / 2, 0.6, 5.6},
                0.411 + 2 * std::numbers::pi - 5.872},
        ArcCase{"SameAnglesSwappedGoTheLongWay", 0.411, 5.872, {std::numbers::pi, std::numbers::pi / 2, 4.7},
                {0.0, 0.2, 6.1}, 5.872 - 0.411},
        // Upper half on screen: y grows upwards in this frame.
        ArcCase{"StartBeforeEndUpperLeft", 1.0, 2.0, {1.1, 1.5, 1.9}, {0.7, 2.3, 4.0, 5.0}, 1.0}),
    ByName{});

// ---------------------------------------------------------------- full circles

struct FillCase {
  const char* Name;
  int FillStyle;
  bool Filled;
};

class FullCircleTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FullCircleTest, FillStyleDecidesBetweenDiscAndRing) {
  const FillCase& k = GetParam();
  Canvas c = UnitCanvas();
  c.setLogging(true);
  const QRgb green = Rgb(0, 128, 64);
  c.FillStyle = k.FillStyle;
  c.FillColor = green;
  c.Circle(0.5, 0.5, 50, kBlack);
  const QRgb inside = k.Filled ? green : kBackground;
  EXPECT_EQ(AtWorld(c, 0.5, 0.5), inside);
  EXPECT_EQ(AtWorld(c, 30.5, -20.5), inside);
  EXPECT_TRUE(Near(c, 50.5, 0.5, kBlack)) << "the rim is drawn either way";
  EXPECT_TRUE(Near(c, 0.5, -49.5, kBlack));
  EXPECT_EQ(AtWorld(c, 60.5, 0.5), kBackground);
  EXPECT_EQ(AtWorld(c, 40.5, 40.5), kBackground) << "outside the circle, inside its box";
  ASSERT_EQ(c.log().size(), 1u);
  EXPECT_EQ(c.log()[0].kind, CanvasOp::Kind::Circle);
  EXPECT_EQ(c.log()[0].fill, k.Filled ? std::optional<QRgb>(green) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Table, FullCircleTest,
                         ::testing::Values(FillCase{"Solid", 0, true}, FillCase{"Transparent", 1, false}),
                         ByName{});

// ---------------------------------------------------------------- ScaleX / ScaleY

struct FrameCase {
  const char* Name;
  double X1, Y1, X2, Y2;
};

class ScaleLengthTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(ScaleLengthTest, WorldLengthsToPixelsKeepTheFramesSign) {
  const FrameCase& k = GetParam();
  canvas::Canvas c(QSize(400, 300));
  c.Scale(k.X1, k.Y1, k.X2, k.Y2);
  EXPECT_EQ(c.ScaleMode(), canvas::kScaleUser);
  EXPECT_FLOAT_EQ(c.ScaleLeft(), k.X1);
  EXPECT_FLOAT_EQ(c.ScaleHeight(), k.Y2 - k.Y1);
  const double perX = 400 / (k.X2 - k.X1), perY = 300 / (k.Y2 - k.Y1);  // signed pixels per unit
  EXPECT_NEAR(c.ScaleX(10, c.ScaleMode(), canvas::kScalePixels), 10 * perX, 1e-9);
  EXPECT_NEAR(c.ScaleY(10, c.ScaleMode(), canvas::kScalePixels), 10 * perY, 1e-9);
  if (k.Y1 > k.Y2) {
    EXPECT_LT(c.ScaleY(10, c.ScaleMode(), canvas::kScalePixels), 0);
  }
  // The start-up's use: the frame's left/top edge as a length is minus the origin's pixel.
  const QPointF origin = c.toPixel(0, 0);
  EXPECT_NEAR(c.ScaleX(c.ScaleLeft(), c.ScaleMode(), canvas::kScalePixels), -origin.x(), 1e-6);
  EXPECT_NEAR(c.ScaleY(c.ScaleTop(), c.ScaleMode(), canvas::kScalePixels), -origin.y(), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Table, ScaleLengthTest,
                         ::testing::Values(FrameCase{"OnePixelPerUnitUp", -200, 150, 200, -150},
                                           FrameCase{"TwoPixelsPerUnitUp", -100, 75, 100, -75},
                                           FrameCase{"HalfPixelPerUnitDown", -400, -300, 400, 300}),
                         ByName{});

TEST(ScaleLength, BeforeScaleTheFrameIsInTwips) {
  canvas::Canvas c(QSize(400, 300));
  EXPECT_EQ(c.ScaleMode(), canvas::kScaleTwips);
  EXPECT_FLOAT_EQ(c.ScaleWidth(), 400 * 15);  // 15 twips to the pixel
  EXPECT_NEAR(c.ScaleY(150, c.ScaleMode(), canvas::kScalePixels), 10, 1e-9);
}

// ---------------------------------------------------------------- PSet

struct DotCase {
  const char* Name;
  int Width;
  double UnitsPerPixel;  // the frame must not change the dot's size
};

class PSetTest : public ::testing::TestWithParam<DotCase> {};

TEST_P(PSetTest, DotIsAFilledDiscDrawWidthPixelsAcross) {
  const DotCase& k = GetParam();
  canvas::Canvas c(QSize(400, 300));
  const double u = k.UnitsPerPixel;
  c.Scale(-200 * u, 150 * u, 200 * u, -150 * u);
  c.DrawWidth = k.Width;
  const QRgb blue = Rgb(0, 0, 255);
  c.PSet(10.3 * u, -20.7 * u, blue);

  int left = 400, right = -1, top = 300, bottom = -1;
  for (int r = 0; r < 300; ++r)
    for (int col = 0; col < 400; ++col)
      if (At(c, col, r) == blue) {
        left = std::min(left, col), right = std::max(right, col);
        top = std::min(top, r), bottom = std::max(bottom, r);
      }
  ASSERT_GE(right, 0) << "nothing drawn";
  EXPECT_EQ(right - left + 1, k.Width);
  EXPECT_EQ(bottom - top + 1, k.Width);
  // Centred on the point, which sits at pixel position (210.3, 170.7).
  EXPECT_LE(std::abs((left + right + 1) / 2.0 - 210.3), 0.5 + 1e-9);
  EXPECT_LE(std::abs((top + bottom + 1) / 2.0 - 170.7), 0.5 + 1e-9);
  // A disc: solid within its radius less half a pixel, corners of its box clear.
  const double cx = (left + right + 1) / 2.0, cy = (top + bottom + 1) / 2.0, half = k.Width / 2.0;
  for (int r = top; r <= bottom; ++r)
    for (int col = left; col <= right; ++col)
      if (std::hypot(col + 0.5 - cx, r + 0.5 - cy) <= half - 0.5) {
        EXPECT_EQ(At(c, col, r), blue) << col << "," << r;
      }
  if (k.Width >= 4) {
    EXPECT_NE(At(c, left, top), blue);
    EXPECT_NE(At(c, right, bottom), blue);
  }
  EXPECT_FLOAT_EQ(c.CurrentX, static_cast<float>(10.3 * u));
}

INSTANTIATE_TEST_SUITE_P(Table, PSetTest,
                         ::testing::Values(DotCase{"Width1", 1, 1}, DotCase{"Width2", 2, 1},
                                           DotCase{"Width4", 4, 1}, DotCase{"Width6", 6, 1},
                                           DotCase{"Width4ThreeUnitsPerPixel", 4, 3},
                                           DotCase{"Width6QuarterUnitPerPixel", 6, 0.25}),
                         ByName{});

// ---------------------------------------------------------------- current point

TEST(CurrentPoint, LineToRightAfterClsStartsAtTheWorldOrigin) {
  Canvas c = UnitCanvas();
  c.setLogging(true);
  c.Line(50, 50, 90, 90);
  c.Cls();
  c.LineTo(100.5, 0.5);
  ASSERT_EQ(c.log().size(), 3u);
  EXPECT_EQ(c.log()[2].x1, 0);
  EXPECT_EQ(c.log()[2].y1, 0);
  EXPECT_TRUE(Near(c, 50.5, 0.25, kBlack));
  EXPECT_FALSE(Near(c, -20.5, 0.5, kBlack, 2));
  EXPECT_FALSE(Near(c, 70, 70, kBlack, 2)) << "Cls cleared the earlier line";
}

struct CurrentCase {
  const char* Name;
  std::function<void(Canvas&)> Draw;
  float X, Y;
};

class CurrentPointTest : public ::testing::TestWithParam<CurrentCase> {};

TEST_P(CurrentPointTest, OperationLeavesTheCurrentPointWhereItSays) {
  Canvas c = UnitCanvas();
  c.CurrentX = 77;
  c.CurrentY = -66;
  GetParam().Draw(c);
  EXPECT_EQ(c.CurrentX, GetParam().X);
  EXPECT_EQ(c.CurrentY, GetParam().Y);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrentPointTest,
    ::testing::Values(
        CurrentCase{"LineAtItsEnd", [](Canvas& c) { c.Line(1.5, 2.5, -30.25, 40.75); }, -30.25f, 40.75f},
        CurrentCase{"LineToAtItsEnd", [](Canvas& c) { c.LineTo(12.5, -7.25, kBlack); }, 12.5f, -7.25f},
        CurrentCase{"CircleAtItsCentre", [](Canvas& c) { c.Circle(20.5, -10.25, 5); }, 20.5f, -10.25f},
        CurrentCase{"ArcAtItsCentre", [](Canvas& c) { c.Circle(-40.5, 30.25, 10, std::nullopt, 0.5, 1.0); },
                    -40.5f, 30.25f},
        CurrentCase{"PSetAtThePoint", [](Canvas& c) { c.PSet(3.75, -8.5); }, 3.75f, -8.5f},
        CurrentCase{"ClsAtTheOrigin", [](Canvas& c) { c.Cls(); }, 0.0f, 0.0f}),
    ByName{});

// ---------------------------------------------------------------- pen styles

struct StyleCase {
  const char* Name;
  int Style, Width;
  bool Gaps;
};

// Longest run of drawn pixels and number of clear pixels along pixel row 149
// between columns 60 and 339 (the middle of a line from x = -150 to 150).
struct RowRuns {
  int longest = 0, clear = 0;
};
RowRuns Runs(const Canvas& c) {
  RowRuns out;
  int run = 0;
  for (int col = 60; col < 340; ++col) {
    if (At(c, col, 149) == kBlack) {
      out.longest = std::max(out.longest, ++run);
    } else {
      ++out.clear, run = 0;
    }
  }
  return out;
}

class PenStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(PenStyleTest, DashedAndDottedThinLinesLeaveGaps) {
  const StyleCase& k = GetParam();
  Canvas c = UnitCanvas();
  c.DrawStyle = k.Style;
  c.DrawWidth = k.Width;
  c.Line(-150, 0.5, 150, 0.5);
  const RowRuns runs = Runs(c);
  if (k.Gaps) {
    EXPECT_GT(runs.clear, 20);
    EXPECT_GT(280 - runs.clear, 60) << "most of a dashed line is still drawn";
  } else {
    EXPECT_EQ(runs.clear, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PenStyleTest,
                         ::testing::Values(StyleCase{"Solid", 0, 1, false}, StyleCase{"Dashed", 1, 1, true},
                                           StyleCase{"Dotted", 2, 1, true},
                                           StyleCase{"DashedWidePenIsSolid", 1, 3, false}),
                         ByName{});

TEST(PenStyle, DotsAreShorterThanDashes) {
  Canvas dashed = UnitCanvas(), dotted = UnitCanvas();
  dashed.DrawStyle = 1;
  dotted.DrawStyle = 2;
  dashed.Line(-150, 0.5, 150, 0.5);
  dotted.Line(-150, 0.5, 150, 0.5);
  EXPECT_LT(Runs(dotted).longest, Runs(dashed).longest);
}

// ---------------------------------------------------------------- non-finite and huge numbers

struct RefusedCase {
  const char* Name;
  std::function<void(Canvas&)> Draw;
};

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, NonFiniteNumberRefusesTheWholeOperation) {
  Canvas c = UnitCanvas();
  c.setLogging(true);
  c.FillStyle = 0;
  c.CurrentX = 7;
  c.CurrentY = 8;
  const QImage before = c.image();
  const int refused = c.refusedOperations();
  GetParam().Draw(c);
  EXPECT_EQ(c.refusedOperations(), refused + 1);
  EXPECT_TRUE(c.log().empty());
  EXPECT_TRUE(c.image() == before) << "nothing drawn";
  EXPECT_EQ(c.CurrentX, 7);
  EXPECT_EQ(c.CurrentY, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedTest,
    ::testing::Values(RefusedCase{"LineNaNStart", [](Canvas& c) { c.Line(kNaN, 0, 50, 50); }},
                      RefusedCase{"LineInfiniteEnd", [](Canvas& c) { c.Line(0, 0, 50, kInf); }},
                      RefusedCase{"LineToNaN", [](Canvas& c) { c.LineTo(kNaN, 10); }},
                      RefusedCase{"CircleNaNRadius", [](Canvas& c) { c.Circle(0, 0, kNaN); }},
                      RefusedCase{"CircleInfiniteCentre", [](Canvas& c) { c.Circle(-kInf, 0, 10); }},
                      RefusedCase{"ArcInfiniteRadius", [](Canvas& c) { c.Circle(0, 0, kInf, kBlack, 0, 1); }},
                      RefusedCase{"ArcNaNEnd", [](Canvas& c) { c.Circle(0, 0, 40, kBlack, 0.5, kNaN); }},
                      RefusedCase{"PSetNaN", [](Canvas& c) { c.PSet(0, kNaN); }}),
    ByName{});

struct HugeCase {
  const char* Name;
  double X1, Y1, X2, Y2;
  std::vector<QPointF> On, Off;  // world points that must be / must not be drawn
};

class HugeLineTest : public ::testing::TestWithParam<HugeCase> {};

TEST_P(HugeLineTest, FiniteHugeEndsStillDrawTheVisiblePartInPlace) {
  const HugeCase& k = GetParam();
  Canvas c = UnitCanvas();
  c.setLogging(true);
  c.Line(k.X1, k.Y1, k.X2, k.Y2);
  for (const QPointF& p : k.On) EXPECT_TRUE(Near(c, p.x(), p.y(), kBlack)) << p.x() << "," << p.y();
  for (const QPointF& p : k.Off) EXPECT_FALSE(Near(c, p.x(), p.y(), kBlack, 3)) << p.x() << "," << p.y();
  if (k.On.empty()) {
    EXPECT_EQ(CountColour(c, kBlack), 0);
  }
  EXPECT_EQ(c.refusedOperations(), 0);
  EXPECT_EQ(c.log().size(), 1u);
  EXPECT_EQ(c.CurrentX, static_cast<float>(k.X2));
  EXPECT_EQ(c.CurrentY, static_cast<float>(k.Y2));
}

INSTANTIATE_TEST_SUITE_P(
    Table, HugeLineTest,
    ::testing::Values(
        HugeCase{"AlongARow", -1e30, 0.5, 1e30, 0.5, {{-199.5, 0.5}, {0.5, 0.5}, {199.5, 0.5}}, {{0.5, 10.5}}},
        HugeCase{"DiagonalThroughTheOrigin", -1e30, -1e30, 1e30, 1e30,
                 {{-120, -120}, {-40, -40}, {60, 60}, {140, 140}}, {{60, -60}, {-60, 60}}},
        HugeCase{"ShallowThroughTheOrigin", -1e30, 5e29, 1e30, -5e29, {{-100, 50}, {100, -50}, {180, -90}},
                 {{100, 50}, {-100, -50}}},
        HugeCase{"FromInsideOutwards", 10.5, 20.5, 1e30, 20.5, {{20, 20.5}, {190, 20.5}},
                 {{0, 20.5}, {-100, 20.5}}},
        HugeCase{"SteepFromTheOrigin", 0, 0, 2.5e29, 1e30, {{10, 40}, {25, 100}}, {{-10, -40}, {-25, 100}}},
        HugeCase{"WhollyOffTheImage", 1e30, 1e30, 1e30, -1e30, {}, {}}),
    ByName{});

}  // namespace
