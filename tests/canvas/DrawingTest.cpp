// Drawing operations of the canvas and its flood fill, checked on the pixels of the retained image.
#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include "Pixels.h"

namespace {

using canvas::kBackground;
using canvas::kBlack;
using canvas::Rgb;
using namespace canvas_testing;

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// An arc of radius 100 about the origin, drawn at the On angles and clear at the Off ones.
struct ArcCase {
  const char* name;
  double Start, End;
  std::vector<double> On, Off;
};

class ArcTest : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcTest, DrawsOnlyTheCounterclockwiseSweepFromStartToEnd) {
  const ArcCase& k = GetParam();
  UnitPad c;
  c.Circle(0, 0, 100, kBlack, k.Start, k.End);
  for (double a : k.On) EXPECT_TRUE(Near(c, 100 * std::cos(a), 100 * std::sin(a), kBlack)) << "angle " << a;
  for (double a : k.Off) EXPECT_FALSE(Near(c, 100 * std::cos(a), 100 * std::sin(a), kBlack, 3)) << "angle " << a;
  EXPECT_EQ(AtWorld(c, 0.5, 0.5), kBackground) << "an arc is never filled";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArcTest,
    ::testing::Values(
        // End below start: the short arc through angle 0, not the long way round.
        ArcCase{"ThroughZero", 5.872, 0.411, {0.0, 0.3, 2 * kPi - 0.3}, {kPi, kPi / 2, 3 * kPi / 2, 0.6, 5.6}},
        ArcCase{"SwappedGoesTheLongWay", 0.411, 5.872, {kPi, kPi / 2, 4.7}, {0.0, 0.2, 6.1}},
        ArcCase{"UpperLeftSinceYIsUp", 1.0, 2.0, {1.1, 1.5, 1.9}, {0.7, 2.3, 4.0, 5.0}}),
    ByName{});

class FullCircleTest : public ::testing::TestWithParam<int> {};

TEST_P(FullCircleTest, FilledUnderFillStyle0AndAnOutlineUnder1) {
  const QRgb green = Rgb(0, 128, 64);
  const QRgb inside = GetParam() == 0 ? green : kBackground;
  UnitPad c;
  c.FillStyle = GetParam();
  c.FillColor = green;
  c.Circle(0.5, 0.5, 50, kBlack);
  EXPECT_EQ(AtWorld(c, 0.5, 0.5), inside);
  EXPECT_EQ(AtWorld(c, 30.5, -20.5), inside);
  EXPECT_TRUE(Near(c, 50.5, 0.5, kBlack)) << "the rim is drawn either way";
  EXPECT_EQ(AtWorld(c, 40.5, 40.5), kBackground) << "outside the circle, inside its box";
}

INSTANTIATE_TEST_SUITE_P(FillStyle, FullCircleTest, ::testing::Values(0, 1));

// The one-pixel outline is closed all the way round, the diagonals included, for small and large radii.
TEST(ThinCircle, OutlineReachesEveryDirection) {
  for (double r : {3.0, 20.0, 90.0, 140.0}) {
    UnitPad c;
    c.Circle(0.5, 0.5, r, kBlack);
    for (int deg = 0; deg < 360; ++deg) {
      const double a = deg * std::numbers::pi / 180;
      EXPECT_TRUE(Near(c, 0.5 + r * std::cos(a), 0.5 + r * std::sin(a), kBlack)) << "radius " << r << ", " << deg << " deg";
    }
  }
}

TEST(ScaleLength, ScaleYKeepsTheSignOfTheFramesExtent) {
  UnitPad up;
  Pad down(QSize(400, 300));
  down.Scale(-400, -300, 400, 300);
  EXPECT_NEAR(up.ScaleY(10, lab::kScaleUser, lab::kScalePixels), -10, 1e-9);
  EXPECT_NEAR(down.ScaleY(10, lab::kScaleUser, lab::kScalePixels), 5, 1e-9);
  // The top edge as a length is minus the origin's row, 150 in both frames.
  EXPECT_NEAR(up.ScaleY(up.ScaleTop(), lab::kScaleUser, lab::kScalePixels), -150, 1e-6);
  EXPECT_NEAR(down.ScaleY(down.ScaleTop(), lab::kScaleUser, lab::kScalePixels), -150, 1e-6);
}

// Two world units to the pixel: the dot's size must not follow the frame.
class PSetTest : public ::testing::TestWithParam<int> {};

TEST_P(PSetTest, DotIsADiscDrawWidthPixelsAcrossCentredOnThePoint) {
  const int width = GetParam();
  Pad c(QSize(400, 300));
  c.Scale(-400, 300, 400, -300);
  c.DrawWidth = width;
  const QRgb blue = Rgb(0, 0, 255);
  c.PSet(20.6, -41.4, blue);  // pixel position (210.3, 170.7)
  QRect box;                  // of the blue pixels
  for (int r = 0; r < 300; ++r)
    for (int col = 0; col < 400; ++col)
      if (At(c, col, r) == blue) box |= QRect(col, r, 1, 1);
  ASSERT_FALSE(box.isNull()) << "nothing drawn";
  EXPECT_EQ(box.width(), width);
  EXPECT_EQ(box.height(), width);
  EXPECT_LE(std::abs(box.left() + width / 2.0 - 210.3), 0.5 + 1e-9);
  EXPECT_LE(std::abs(box.top() + width / 2.0 - 170.7), 0.5 + 1e-9);
  if (width >= 4) {
    EXPECT_EQ(At(c, box.center().x(), box.center().y()), blue) << "solid inside";
    EXPECT_NE(At(c, box.left(), box.top()), blue) << "round, not square";
    EXPECT_NE(At(c, box.right(), box.bottom()), blue);
  }
}

INSTANTIATE_TEST_SUITE_P(Width, PSetTest, ::testing::Values(1, 2, 4, 6));

TEST(CurrentPoint, LineToAfterClsStartsAtTheWorldOrigin) {
  UnitPad c;
  c.Line(50, 50, 90, 90);
  c.Cls();
  c.LineTo(100.5, 0.5);
  EXPECT_TRUE(Near(c, 50.5, 0.5, kBlack));
  EXPECT_FALSE(Near(c, -20.5, 0.5, kBlack, 2));
  EXPECT_FALSE(Near(c, 70, 70, kBlack, 2)) << "Cls cleared the earlier line";
}

struct StyleCase {
  const char* name;
  int Style, Width;
  bool Gaps;  // along the middle of the line
};

class PenStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(PenStyleTest, DashedAndDottedThinLinesLeaveGaps) {
  const StyleCase& k = GetParam();
  UnitPad c;
  c.DrawStyle = k.Style;
  c.DrawWidth = k.Width;
  c.Line(-150, 0.5, 150, 0.5);
  int clear = 0;  // of the 280 pixels from column 60 along row 149
  for (int col = 60; col < 340; ++col) clear += At(c, col, 149) != kBlack;
  EXPECT_EQ(clear > 20, k.Gaps) << clear;
  EXPECT_LT(clear, 220) << "most of the line is drawn";
}

INSTANTIATE_TEST_SUITE_P(Table, PenStyleTest,
                         ::testing::Values(StyleCase{"Solid", 0, 1, false}, StyleCase{"Dashed", 1, 1, true},
                                           StyleCase{"Dotted", 2, 1, true},
                                           StyleCase{"DashedWidePenIsSolid", 1, 3, false}),
                         ByName{});

struct RefusedCase {
  const char* name;
  std::function<void(Pad&)> Draw;
};

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, NonFiniteNumberRefusesTheWholeOperation) {
  UnitPad c;
  c.setLogging(true);
  c.FillStyle = 0;
  c.CurrentX = 7;
  c.CurrentY = 8;
  const QImage before = c.image();
  GetParam().Draw(c);
  EXPECT_EQ(c.refusedOperations(), 1);
  EXPECT_TRUE(c.log().empty());
  EXPECT_TRUE(c.image() == before) << "nothing drawn";
  EXPECT_EQ(c.CurrentX, 7);
  EXPECT_EQ(c.CurrentY, 8);
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedTest,
                         ::testing::Values(RefusedCase{"LineNaN", [](Pad& c) { c.Line(kNaN, 0, 50, 50); }},
                                           RefusedCase{"LineInfinite", [](Pad& c) { c.Line(0, 0, 50, kInf); }},
                                           RefusedCase{"LineToNaN", [](Pad& c) { c.LineTo(kNaN, 10); }},
                                           RefusedCase{"CircleNaN", [](Pad& c) { c.Circle(0, 0, kNaN); }},
                                           RefusedCase{"ArcNaN", [](Pad& c) { c.Circle(0, 0, 9, {}, 0, kNaN); }},
                                           RefusedCase{"PSetInfinite", [](Pad& c) { c.PSet(-kInf, 0); }}),
                         ByName{});

// A replay logs what was drawn since the mark once more, its refused
// operations included: they add to the count, never replace it.
TEST(Replay, CountsItsRefusedOperationsOnTopOfTheEarlierOnes) {
  UnitPad c;
  c.Line(kNaN, 0, 50, 50);  // refused before the mark
  const lab::Surface::Mark m = c.mark();
  c.Line(0, 0, 50, 50);
  c.Circle(0, 0, kInf);  // refused after it
  const lab::Surface::Saved drawn = c.drawnSince(m);
  c.Cls();
  c.replay(drawn);
  EXPECT_EQ(c.refusedOperations(), 3);
}

struct HugeCase {
  const char* name;
  double X1, Y1, X2, Y2;
  std::vector<QPointF> On, Off;  // world points that must be / must not be drawn
};

class HugeLineTest : public ::testing::TestWithParam<HugeCase> {};

TEST_P(HugeLineTest, FiniteHugeEndsStillDrawTheVisiblePartInPlace) {
  const HugeCase& k = GetParam();
  UnitPad c;
  c.Line(k.X1, k.Y1, k.X2, k.Y2);
  for (const QPointF& p : k.On) EXPECT_TRUE(Near(c, p.x(), p.y(), kBlack)) << p.x() << "," << p.y();
  for (const QPointF& p : k.Off) EXPECT_FALSE(Near(c, p.x(), p.y(), kBlack, 3)) << p.x() << "," << p.y();
  EXPECT_EQ(c.refusedOperations(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HugeLineTest,
    ::testing::Values(
        HugeCase{"AlongARow", -1e30, 0.5, 1e30, 0.5, {{-199.5, 0.5}, {0.5, 0.5}, {199.5, 0.5}}, {{0.5, 10.5}}},
        HugeCase{"Diagonal", -1e30, -1e30, 1e30, 1e30, {{-120, -120}, {60, 60}, {140, 140}}, {{60, -60}, {-60, 60}}},
        HugeCase{"FromInsideOutwards", 10.5, 20.5, 1e30, 20.5, {{20, 20.5}, {190, 20.5}}, {{0, 20.5}, {-100, 20.5}}}),
    ByName{});

// The flood fill that paints the lens: 4-connected, bounded by exactly black pixels only.
constexpr QRgb kOlive = Rgb(150, 150, 80);

struct FillPad : UnitPad {
  FillPad() {
    FillStyle = 0;
    FillColor = kOlive;
  }
};

TEST(FloodFill, DoesNotLeakThroughADiagonalOnePixelLine) {
  FillPad c;
  // A 45-degree staircase from pixel (-10, -10) to (310, 310), whose pixels touch only at their corners.
  c.Line(-210, 160, 110, -160, kBlack);
  ASSERT_TRUE(c.FloodFill(350, 50, kBlack));
  int leaked = 0, missed = 0;
  for (int row = 0; row < 300; ++row)
    for (int col = 0; col < 400; ++col) {
      leaked += col < row - 2 && At(c, col, row) != kBackground;
      missed += col > row + 2 && At(c, col, row) != kOlive;
    }
  EXPECT_EQ(leaked, 0) << "below the diagonal";
  EXPECT_EQ(missed, 0) << "above the diagonal";
}

struct WallCase {
  const char* name;
  QRgb Wall, Stripe;
  bool Leaks;
};

class FloodFillWallTest : public ::testing::TestWithParam<WallCase> {};

// A 100 x 100 box with a stripe across its middle from wall to wall.
TEST_P(FloodFillWallTest, StopsOnlyAtExactlyBlackAndPaintsOverEverythingElse) {
  const WallCase& k = GetParam();
  FillPad c;
  c.Line(-55, 0.5, 55, 0.5, k.Stripe);  // first, so the walls cut its ends off
  for (double s : {-50.5, 50.5}) {
    c.Line(-60, s, 60, s, k.Wall);
    c.Line(s, 60, s, -60, k.Wall);
  }
  ASSERT_EQ(AtWorld(c, 0.5, 0.5), k.Stripe);
  EXPECT_TRUE(c.FloodFill(200, 120, kBlack));  // world (0.5, 29.5), above the stripe
  EXPECT_EQ(AtWorld(c, 0.5, 0.5), kOlive) << "the stripe is painted over";
  EXPECT_EQ(AtWorld(c, -30.5, -30.5), kOlive) << "and crossed";
  EXPECT_EQ(AtWorld(c, 120.5, 100.5), k.Leaks ? kOlive : kBackground);
  EXPECT_EQ(AtWorld(c, 0.5, 50.5), k.Leaks ? kOlive : kBlack);
}

// A stripe already of the fill colour is passed through, not taken for a wall.
INSTANTIATE_TEST_SUITE_P(Table, FloodFillWallTest,
                         ::testing::Values(WallCase{"BlackWallStripeOfFillColour", kBlack, kOlive, false},
                                           WallCase{"BlackWallNearBlackStripe", kBlack, Rgb(1, 1, 1), false},
                                           WallCase{"NearBlackWallLeaks", Rgb(0, 0, 1), Rgb(255, 0, 0), true}),
                         ByName{});

}  // namespace
