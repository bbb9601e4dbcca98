// The static scene drawn again after a Cls, and the target point it marks.
#include "scene/SceneState.h"
#include "scene/StaticScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SceneFixture.h"

namespace {

using canvas::CanvasOp;
using namespace scene_testing;

// ---------------------------------------------------------------- TargetPoint

struct TargetCase {
  int V;
  double X, Y, Tolerance;  // the point as quoted for this height
};

class TargetPointTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(TargetPointTest, OnTheHeightOneHundredthOfRCosARightOfTheSecondSurface) {
  const TargetCase& k = GetParam();
  scene::SceneState s;
  s.SurfaceRadius = 180;
  s.CentreOffset = 165;
  const scene::WorldPoint t = scene::TargetPoint(k.V, s);
  const Point expected = Target(k.V);
  EXPECT_NEAR(t.x, expected.x, 1e-4);
  EXPECT_NEAR(t.y, expected.y, 1e-4);
  EXPECT_NEAR(t.x, k.X, k.Tolerance);
  EXPECT_NEAR(t.y, k.Y, k.Tolerance);
  // Right of the second surface at that height by 1% of R cos a.
  const double surfaceX = std::sqrt(kR * kR - double(k.V) * k.V) - kC;
  EXPECT_NEAR(t.x - surfaceX, 0.01 * (surfaceX + kC), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Heights, TargetPointTest,
                         ::testing::Values(TargetCase{0, 16.8, 0, 1e-9},
                                           TargetCase{71, 2.06, 71, 0.005},  // just right of the lens edge
                                           TargetCase{99, -13.17, 99, 0.01},   // above the lens
                                           TargetCase{-99, -13.17, -99, 0.01}),
                         [](const auto& p) {
                           return (p.param.V < 0 ? "minus" : "") + std::to_string(std::abs(p.param.V));
                         });

// ---------------------------------------------------------------- redraw after Cls

using Redraw = StartedWindow;

void ClearAndRedraw(testing_support::TestWindow& tw) {
  tw.canvas().Cls();
  scene::RedrawScene(tw.form(), tw.scene());
}

// Outside the target marker and the centre marks (now filled) the redraw is
// the start-up picture pixel for pixel.
TEST_P(Redraw, AfterClsReproducesTheStartUpPictureOutsideTheMarkers) {
  const QImage startUp = canvas().image().copy();
  ClearAndRedraw(*tw);
  const QImage& again = canvas().image();
  ASSERT_EQ(again.size(), startUp.size());
  int elsewhere = 0, markerWrong = 0, centreWrong = 0, markerChanged = 0;
  for (int row = 0; row < again.height(); ++row) {
    for (int col = 0; col < again.width(); ++col) {
      const QRgb a = testing_support::opaque(startUp.pixel(col, row));
      const QRgb b = testing_support::opaque(again.pixel(col, row));
      if (a == b) continue;
      const QPointF p = canvas().toWorld(QPointF(col + 0.5, row + 0.5));
      const bool nearAxis = std::abs(p.y()) <= 3;
      if (nearAxis && std::abs(p.x() - 16.8) <= 3) {
        ++markerChanged;
        markerWrong += b != kYellow && b != canvas::kBlack;  // thicker black rim, yellow inside
      } else if (nearAxis && std::abs(std::abs(p.x()) - kC) <= 3) {
        centreWrong += b != kOlive || (a != canvas::kBackground && a != kRed);  // ring filled olive
      } else {
        ++elsewhere;
      }
    }
  }
  EXPECT_EQ(elsewhere, 0);
  EXPECT_EQ(markerWrong, 0);
  EXPECT_EQ(centreWrong, 0);
  EXPECT_GT(markerChanged, 0);
}

TEST_P(Redraw, DrawsTheMarkerWiderAndFilledAndEndsAtTheTarget) {
  canvas().clearLog();
  ClearAndRedraw(*tw);
  const std::vector<CanvasOp>& log = canvas().log();
  using K = CanvasOp::Kind;
  const std::vector<K> kinds{K::Cls, K::PSet, K::PSet, K::Line, K::Circle, K::Circle, K::Arc, K::Arc, K::Circle,
                             K::FloodFill};
  ASSERT_EQ(log.size(), kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(log[i].kind, kinds[i]) << "operation " << i;
  EXPECT_EQ(log[1].width, 4);
  EXPECT_EQ(log[3].color, kRed);
  EXPECT_EQ(log[4].fill, kOlive) << "centre marks take the fill left by the start-up";
  EXPECT_NEAR(log[6].start, 2.730455, 2e-6);
  EXPECT_NEAR(log[7].start, 5.872047, 2e-6);
  EXPECT_NEAR(log[7].end, 0.411138, 2e-6);
  const CanvasOp& marker = log[8];
  EXPECT_NEAR(marker.x1, 16.8, 1e-5);
  EXPECT_EQ(marker.y1, 0);
  EXPECT_EQ(marker.r, 1.5);
  EXPECT_EQ(marker.width, 2);
  EXPECT_EQ(marker.color, canvas::kBlack);
  EXPECT_EQ(marker.fill, kYellow);
  EXPECT_EQ(log[9].color, kOlive);

  const canvas::Canvas& c = canvas();
  EXPECT_FLOAT_EQ(c.CurrentX, 16.8f);
  EXPECT_EQ(c.CurrentY, 0);
  EXPECT_EQ(c.DrawWidth, 1);
  EXPECT_EQ(c.FillStyle, 0);
  EXPECT_EQ(c.FillColor, kOlive);
  EXPECT_EQ(at(16.8, 0), kYellow);
  EXPECT_EQ(at(0, 0), kOlive);
}

TEST_P(Redraw, KeepsTheDashStyleItFinds) {
  canvas().DrawStyle = 2;
  ClearAndRedraw(*tw);
  EXPECT_EQ(canvas().DrawStyle, 2);
}

// A construction that left the fill transparent gets rings; the redraw after
// it fills again.
TEST_P(Redraw, AfterATransparentFillMarksAreRingsUntilTheNextRedraw) {
  canvas().FillStyle = 1;
  canvas().clearLog();
  ClearAndRedraw(*tw);
  auto circles = tw->ops(CanvasOp::Kind::Circle);
  ASSERT_EQ(circles.size(), 3u);
  for (const CanvasOp& op : circles) EXPECT_FALSE(op.fill.has_value());
  EXPECT_NE(at(16.8, 0), kYellow);
  EXPECT_EQ(at(0, 0), kOlive) << "the lens is filled regardless";

  canvas().clearLog();
  ClearAndRedraw(*tw);
  circles = tw->ops(CanvasOp::Kind::Circle);
  ASSERT_EQ(circles.size(), 3u);
  for (const CanvasOp& op : circles) EXPECT_TRUE(op.fill.has_value());
  EXPECT_EQ(at(16.8, 0), kYellow);
}

INSTANTIATE_TEST_SUITE_P(Screens, Redraw, ::testing::Values(QSize(1280, 800), QSize(1200, 900)), SizeName);

// ---------------------------------------------------------------- marker at other heights

class RedrawAtHeight : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { tw.form().thesiy.onChange({}); }
  testing_support::TestWindow tw;
};

TEST_P(RedrawAtHeight, MarkerIsAYellowDiscAtTheTargetAndTheCurrentPointIsThere) {
  const int v = GetParam();
  ASSERT_TRUE(tw.form().thesiy.setValue(v));
  tw.canvas().clearLog();
  ClearAndRedraw(tw);
  const Point t = Target(v);
  const auto circles = tw.ops(CanvasOp::Kind::Circle);
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_NEAR(circles[2].x1, t.x, 1e-4);
  EXPECT_NEAR(circles[2].y1, t.y, 1e-4);
  EXPECT_EQ(circles[2].width, 2);
  EXPECT_NEAR(tw.canvas().CurrentX, t.x, 1e-4);
  EXPECT_NEAR(tw.canvas().CurrentY, t.y, 1e-4);
  EXPECT_EQ(tw.pixelAt(t.x, t.y), kYellow);
  EXPECT_EQ(tw.pixelAt(0, 0), kOlive);
  EXPECT_NE(tw.pixelAt(Target(0).x, 0), kYellow) << "no marker left at the start-up height";
}

INSTANTIATE_TEST_SUITE_P(Heights, RedrawAtHeight, ::testing::Values(71, 99, -99, 40),
                         [](const auto& p) {
                           return (p.param < 0 ? "minus" : "") + std::to_string(std::abs(p.param));
                         });

}  // namespace
