// The flood fill that paints the lens: 4-connected, bounded by exactly black
// pixels only, in FillColor.
#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include "Pixels.h"

namespace {

using canvas::Canvas;
using canvas::kBackground;
using canvas::kBlack;
using canvas::Rgb;
using namespace canvas_testing;

constexpr QRgb kOlive = Rgb(150, 150, 80);
constexpr QRgb kRed = Rgb(255, 0, 0);

Canvas FillReady() {
  Canvas c = UnitCanvas();
  c.FillStyle = 0;
  c.FillColor = kOlive;
  return c;
}

TEST(FloodFill, DoesNotLeakThroughADiagonalOnePixelLine) {
  Canvas c = FillReady();
  // A 45-degree staircase from beyond the top-left corner (pixel -10, -10) to
  // pixel (310, 310): its pixels touch only at their corners, which a
  // 4-connected fill cannot pass but an 8-connected one would.
  c.Line(-210, 160, 110, -160, kBlack);
  ASSERT_TRUE(c.FloodFill(350, 50, kBlack));
  int leaked = 0, missed = 0;
  for (int row = 0; row < 300; ++row) {
    for (int col = 0; col < 400; ++col) {
      if (col < row - 2 && At(c, col, row) != kBackground) ++leaked;
      if (col > row + 2 && At(c, col, row) != kOlive) ++missed;
    }
  }
  EXPECT_EQ(leaked, 0) << "below the diagonal";
  EXPECT_EQ(missed, 0) << "above the diagonal";
}

struct WallCase {
  const char* Name;
  QRgb Wall, Stripe;
  bool Leaks;
};

class FloodFillWallTest : public ::testing::TestWithParam<WallCase> {};

// A box whose walls run along the pixel rows 99 and 200 and columns 149 and
// 250, with a stripe along row 149 from wall to wall dividing its inside.
TEST_P(FloodFillWallTest, StopsAtExactlyBlackAndPaintsOverEverythingElse) {
  const WallCase& k = GetParam();
  Canvas c = FillReady();
  c.Line(-55, 0.5, 55, 0.5, k.Stripe);  // first, so the walls cut its ends off
  c.Line(-60, 50.5, 60, 50.5, k.Wall);
  c.Line(-60, -50.5, 60, -50.5, k.Wall);
  c.Line(-50.5, 60, -50.5, -60, k.Wall);
  c.Line(50.5, 60, 50.5, -60, k.Wall);
  ASSERT_EQ(AtWorld(c, 0.5, 0.5), k.Stripe);
  ASSERT_EQ(AtWorld(c, 50.5, 0.5), k.Wall);

  EXPECT_TRUE(c.FloodFill(200, 120, kBlack));  // world (0.5, 29.5), above the stripe
  EXPECT_EQ(AtWorld(c, 0.5, 29.5), kOlive);
  EXPECT_EQ(AtWorld(c, 0.5, 0.5), kOlive) << "the stripe is painted over";
  EXPECT_EQ(AtWorld(c, -30.5, -30.5), kOlive) << "and crossed";
  EXPECT_EQ(AtWorld(c, 120.5, 100.5), k.Leaks ? kOlive : kBackground);
  EXPECT_EQ(AtWorld(c, -190.5, -140.5), k.Leaks ? kOlive : kBackground);
  EXPECT_EQ(AtWorld(c, 0.5, 50.5), k.Leaks ? kOlive : kBlack);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FloodFillWallTest,
    ::testing::Values(WallCase{"BlackWallRedStripe", kBlack, kRed, false},
                      // Pixels already of the fill colour are passed through, not taken for a wall.
                      WallCase{"BlackWallStripeOfFillColour", kBlack, kOlive, false},
                      WallCase{"BlackWallNearBlackStripe", kBlack, Rgb(1, 1, 1), false},
                      WallCase{"RedWallLeaks", kRed, Rgb(0, 0, 1), true},
                      WallCase{"NearBlackRedWallLeaks", Rgb(1, 0, 0), kRed, true},
                      WallCase{"NearBlackBlueWallLeaks", Rgb(0, 0, 1), kRed, true}),
    ByName{});

struct SeedCase {
  const char* Name;
  int X, Y;
};

class FloodFillSeedTest : public ::testing::TestWithParam<SeedCase> {};

TEST_P(FloodFillSeedTest, BlackOrOutsideSeedPaintsNothing) {
  Canvas c = FillReady();
  c.Line(-250, 0.5, 250, 0.5, kBlack);  // pixel row 149
  ASSERT_EQ(At(c, 200, 149), kBlack);
  const QImage before = c.image();
  EXPECT_FALSE(c.FloodFill(GetParam().X, GetParam().Y, kBlack));
  EXPECT_TRUE(c.image() == before);
}

INSTANTIATE_TEST_SUITE_P(Table, FloodFillSeedTest,
                         ::testing::Values(SeedCase{"OnBlack", 200, 149}, SeedCase{"LeftOfImage", -1, 10},
                                           SeedCase{"RightOfImage", 400, 10}, SeedCase{"AboveImage", 10, -1},
                                           SeedCase{"BelowImage", 10, 300}),
                         ByName{});

TEST(FloodFill, FillsTheWholeImageWithoutBoundaryAndIsLogged) {
  Canvas c = FillReady();
  c.setLogging(true);
  c.Line(-100.5, 40.5, 100.5, 40.5, kRed);
  EXPECT_TRUE(c.FloodFill(0, 0, kBlack));
  EXPECT_EQ(CountColour(c, kOlive), 400 * 300);
  ASSERT_EQ(c.log().size(), 2u);
  EXPECT_EQ(c.log()[1].kind, canvas::CanvasOp::Kind::FloodFill);
  EXPECT_EQ(c.log()[1].color, kOlive);
}

}  // namespace
