// The scene as the start-up leaves it (captions, frame, layout, drawing state,
// the lens, its fill and the axis), the target point, and the redraw after a Cls.
#include "lab/SceneState.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "SceneFixture.h"

namespace {

using lab::Op;

using numeric::kOlive;
using numeric::kRed;
using numeric::kYellow;
// The lens: R = 180, centres of curvature at (+-165, 0).
constexpr double kR = 180, kC = 165;

// A started window of the parameter's client size.
class StartUp : public ::testing::TestWithParam<QSize> {
 protected:
  void SetUp() override { tw = std::make_unique<testing_support::SceneFixture>(GetParam()); }
  canvas::Canvas& canvas() { return tw->canvas(); }
  std::unique_ptr<testing_support::SceneFixture> tw;
};

std::string SizeName(const ::testing::TestParamInfo<QSize>& info) {
  return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
}

TEST(StartUpFourByThree, FrameIsCentredWithItsShareOfAThousandUnits) {
  testing_support::SceneFixture tw(QSize(1200, 900));
  EXPECT_NEAR(tw.scene().AspectX, 4.0 / 7.0, 1e-7);
  EXPECT_NEAR(tw.scene().AspectY, 3.0 / 7.0, 1e-7);
  EXPECT_NEAR(tw.scene().XMax, 285.714, 1e-3);
  EXPECT_NEAR(tw.scene().YMax, 214.286, 1e-3);
  // 2100 pixels for 1000 units either way, the origin in the middle.
  const QPointF p = tw.canvas().toPixel(100, 100);
  EXPECT_NEAR(p.x(), 600 + 210, 1e-3);
  EXPECT_NEAR(p.y(), 450 - 210, 1e-3);
}

TEST_P(StartUp, BarsAndButtonColumnsFitTogether) {
  const canvas::Form& f = tw->form();
  // The target bar spans exactly the range of its values.
  EXPECT_NEAR(testing_support::WorldBoxOf(f.thesiy).top, 99, 1e-3);
  EXPECT_NEAR(testing_support::WorldBoxOf(f.thesiy).top - testing_support::WorldBoxOf(f.thesiy).height, -99, 1e-3);
  // The time bar is 100 units long on any screen and its label starts where it ends.
  EXPECT_NEAR(testing_support::WorldBoxOf(f.xronosmetato).width, 100, 1e-3);
  EXPECT_NEAR(testing_support::WorldBoxOf(f.Label6).left, testing_support::WorldBoxOf(f.xronosmetato).left + 100, 1e-3);
  // Buttons 1-3 stacked in a column, 4 and 5 beside 2 and 3, all of one non-empty size.
  const QRectF b[] = {f.Command1.pixelRect(), f.Command2.pixelRect(), f.Command3.pixelRect(), f.Command4.pixelRect(),
                      f.Command5.pixelRect()};
  EXPECT_FALSE(b[0].isEmpty());
  auto meet = [](QPointF p, QPointF q) { return (p - q).manhattanLength() < 1e-3; };
  for (int i : {1, 2, 3, 4})
    EXPECT_TRUE(meet(b[i].bottomRight() - b[i].topLeft(), b[0].bottomRight() - b[0].topLeft()));
  for (int i : {1, 2}) EXPECT_TRUE(meet(b[i].topLeft(), b[i - 1].bottomLeft())) << "button " << i + 1;
  for (int i : {3, 4}) EXPECT_TRUE(meet(b[i].topLeft(), b[i - 2].topRight())) << "button " << i + 1;
}

TEST_P(StartUp, LogsTheCentreMarksAndARingForTheTargetMarkerBeforeTheFill) {
  const auto circles = tw->ops(Op::Kind::Circle);
  ASSERT_EQ(circles.size(), 3u);
  for (int i : {0, 1}) {  // the centre marks at (-c, 0) and (c, 0)
    EXPECT_EQ(circles[i].x1, i == 0 ? -kC : kC);
    EXPECT_EQ(circles[i].y1, 0);
    EXPECT_EQ(circles[i].r, 2);
  }
  EXPECT_NEAR(circles[2].x1, 16.8, 1e-5);
  EXPECT_EQ(circles[2].y1, 0);
  EXPECT_EQ(circles[2].r, 1.5);
  EXPECT_EQ(circles[2].width, 1);
  EXPECT_FALSE(circles[2].fill.has_value()) << "the fill is still transparent";
  EXPECT_EQ(tw->log().back().kind, Op::Kind::FloodFill);
  EXPECT_EQ(tw->log().back().color, kOlive);
}

TEST_P(StartUp, LeavesTheDrawingState) {
  const lab::Surface& c = tw->surface();
  EXPECT_EQ(c.DrawWidth, 1);
  EXPECT_EQ(c.DrawStyle, 0);
  EXPECT_EQ(c.FillStyle, 0);
  EXPECT_EQ(c.FillColor, kOlive);
  EXPECT_EQ(c.CurrentX, -165) << "the centre of the last circle drawn";
  EXPECT_EQ(c.CurrentY, 0);
}

// Every pixel more than 1.5 pixels inside both surfaces is olive, every pixel
// more than 1.5 pixels outside either is not, and the olive area is the lens's.
TEST_P(StartUp, OliveFillCoversExactlyTheLens) {
  const QImage& img = canvas().image();
  const double perUnit = (GetParam().width() + GetParam().height()) / 1000.0;
  int unfilled = 0, spilled = 0, olive = 0;
  for (int row = 0; row < img.height(); ++row) {
    for (int col = 0; col < img.width(); ++col) {
      const QPointF p = canvas().toWorld(QPointF(col + 0.5, row + 0.5));
      const double depth = perUnit * (kR - std::max(std::hypot(p.x() - kC, p.y()), std::hypot(p.x() + kC, p.y())));
      const bool isOlive = testing_support::opaque(img.pixel(col, row)) == kOlive;
      olive += isOlive;
      unfilled += depth > 1.5 && !isOlive;
      spilled += depth < -1.5 && isOlive;
    }
  }
  EXPECT_EQ(unfilled, 0);
  EXPECT_EQ(spilled, 0);
  const double alpha = std::acos(kC / kR), area = kR * kR * (2 * alpha - std::sin(2 * alpha));  // two segments
  EXPECT_NEAR(olive, area * perUnit * perUnit, 0.05 * area * perUnit * perUnit);
}

TEST_P(StartUp, RedAxisOutsideTheLensPaintedOverInside) {
  const int axisRow = GetParam().height() / 2;  // the axis runs between rows axisRow - 1 and axisRow
  auto redAt = [&](double x, int reach) {
    const int col = static_cast<int>(canvas().toPixel(x, 0).x());
    for (int row = axisRow - reach; row < axisRow + reach; ++row)
      if (testing_support::opaque(canvas().image().pixel(col, row)) == kRed) return true;
    return false;
  };
  const double xMax = tw->scene().XMax;
  for (double x : {-xMax + 3, -200.0, -30.0, 30.0, 200.0, xMax - 3}) EXPECT_TRUE(redAt(x, 1)) << "x = " << x;
  for (double x = -13; x <= 13; x += 0.25) EXPECT_FALSE(redAt(x, 2)) << "x = " << x;
}

INSTANTIATE_TEST_SUITE_P(Screens, StartUp, ::testing::Values(QSize(1280, 800), QSize(1200, 900)), SizeName);

// The point as worked out by hand for heights 0, 71 (just right of the lens
// edge) and 99 (above the lens): x = 1.01 R cos a - c, y = R sin a = v.
class TargetPointTest : public ::testing::TestWithParam<std::array<double, 3>> {};

TEST_P(TargetPointTest, OneHundredthOfRCosARightOfTheSecondSurface) {
  const auto [v, x, tolerance] = GetParam();
  const lab::SceneState s{.Glass = optics::Lens::Standard()};
  const core::Point t = lab::TargetPoint(static_cast<int>(v), s);
  EXPECT_NEAR(t.x, x, tolerance);
  EXPECT_NEAR(t.y, v, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Heights, TargetPointTest,
                         ::testing::Values(std::array<double, 3>{0, 16.8, 1e-9}, std::array<double, 3>{71, 2.06, 0.005},
                                           std::array<double, 3>{99, -13.167, 0.001}));

using Redraw = StartUp;

// Outside the target marker (now yellow with a thicker rim) and the centre
// marks (now filled olive) the redraw is the start-up picture pixel for pixel.
TEST_P(Redraw, AfterClsReproducesTheStartUpPictureOutsideTheMarkers) {
  const QImage startUp = canvas().image().copy();
  tw->clearAndRedraw();
  const QImage& again = canvas().image();
  ASSERT_EQ(again.size(), startUp.size());
  int elsewhere = 0, markerWrong = 0, centreWrong = 0;
  for (int row = 0; row < again.height(); ++row) {
    for (int col = 0; col < again.width(); ++col) {
      const QRgb a = testing_support::opaque(startUp.pixel(col, row));
      const QRgb b = testing_support::opaque(again.pixel(col, row));
      if (a == b) continue;
      const QPointF p = canvas().toWorld(QPointF(col + 0.5, row + 0.5));
      const bool nearAxis = std::abs(p.y()) <= 3;
      if (nearAxis && std::abs(p.x() - 16.8) <= 3) {
        markerWrong += b != kYellow && b != canvas::kBlack;
      } else if (nearAxis && std::abs(std::abs(p.x()) - kC) <= 3) {
        centreWrong += b != kOlive || (a != canvas::kBackground && a != kRed);
      } else {
        ++elsewhere;
      }
    }
  }
  EXPECT_EQ(elsewhere, 0);
  EXPECT_EQ(markerWrong, 0);
  EXPECT_EQ(centreWrong, 0);
  EXPECT_EQ(tw->pixelAt(16.8, 0), kYellow);
}

INSTANTIATE_TEST_SUITE_P(Screens, Redraw, ::testing::Values(QSize(1280, 800), QSize(1200, 900)), SizeName);

}  // namespace
