// The scene as the start-up leaves it: frame, captions, the operations drawn
// and the pixels of the lens, its fill and the axis.
#include "app/Fermat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SceneFixture.h"

namespace {

using canvas::CanvasOp;
using namespace scene_testing;

using StartUp = StartedWindow;

TEST_P(StartUp, CaptionsShowTheBarsDesignValues) {
  canvas::Form& f = tw->form();
  EXPECT_EQ(f.Label1.Caption(), QString::fromUtf8("ψ= 0"));
  EXPECT_EQ(f.Label2.Caption(), "");
  EXPECT_EQ(f.Label3.Caption(), "");
  EXPECT_EQ(f.Label4.Caption(), "");
  EXPECT_EQ(f.Label5.Caption(), "number of points=10");
  EXPECT_EQ(f.Label6.Caption(), "time=5");
}

TEST_P(StartUp, FrameIsCentredWithEqualUnitsAndAThousandUnitsAcrossAndDown) {
  const double w = GetParam().width(), h = GetParam().height();
  const scene::SceneState& s = tw->scene();
  EXPECT_NEAR(s.AspectX, w / (w + h), 1e-6);
  EXPECT_NEAR(s.AspectY, h / (w + h), 1e-6);
  EXPECT_NEAR(s.XMax, 500 * w / (w + h), 1e-3);
  EXPECT_NEAR(s.YMax, 500 * h / (w + h), 1e-3);
  const canvas::Canvas& c = canvas();
  EXPECT_EQ(c.ScaleMode(), canvas::kScaleUser);
  EXPECT_NEAR(c.ScaleLeft(), -s.XMax, 1e-4);
  EXPECT_NEAR(c.ScaleTop(), s.YMax, 1e-4);
  EXPECT_NEAR(c.ScaleWidth() - c.ScaleHeight(), 1000, 1e-3);  // ScaleHeight is negative: y upwards
  // The same number of pixels per unit both ways, so circles stay round.
  EXPECT_NEAR(w / c.ScaleWidth(), -h / c.ScaleHeight(), 1e-6);
  const QPointF origin = c.toPixel(0, 0);
  EXPECT_NEAR(origin.x(), w / 2, 1e-3);
  EXPECT_NEAR(origin.y(), h / 2, 1e-3);
  EXPECT_NEAR(s.FrameLeft, -w / 2, 1e-3);
  EXPECT_NEAR(s.FrameTop, -h / 2, 1e-3);
  EXPECT_NEAR(s.FillSeedX, w / 2, 1e-3);
  EXPECT_NEAR(s.FillSeedY, h / 2, 1e-3);
}

TEST_P(StartUp, LensConstants) {
  const scene::SceneState& s = tw->scene();
  EXPECT_EQ(s.CentreOffset, 165);
  EXPECT_EQ(s.SurfaceRadius, 180);
  EXPECT_FLOAT_EQ(s.HalfAperture, static_cast<float>(std::sqrt(5175.0)));
  EXPECT_EQ(s.Pi, static_cast<float>(std::numbers::pi));
  EXPECT_EQ(s.SpeedOutside, 2.0f);
  EXPECT_EQ(s.SpeedInside, 1.0f);
  // From the half-angle of the surfaces at their centres.
  EXPECT_NEAR(s.FirstArcStart, kPiSingle - kAlpha, 1e-6);
  EXPECT_NEAR(s.FirstArcEnd, kPiSingle + kAlpha, 1e-6);
  EXPECT_NEAR(s.SecondArcStart, 2 * kPiSingle - kAlpha, 1e-6);
  EXPECT_NEAR(s.SecondArcEnd, kAlpha, 1e-6);
}

TEST_P(StartUp, DrawsAxisCentreMarksEdgeDotsMarkerSurfacesAndFillInThatOrder) {
  const std::vector<CanvasOp>& log = canvas().log();
  using K = CanvasOp::Kind;
  const std::vector<K> kinds{K::Line, K::Circle, K::Circle, K::PSet, K::PSet, K::Circle, K::Arc, K::Arc, K::FloodFill};
  ASSERT_EQ(log.size(), kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(log[i].kind, kinds[i]) << "operation " << i;

  const double xMax = 500.0 * GetParam().width() / (GetParam().width() + GetParam().height());
  const CanvasOp& axis = log[0];
  EXPECT_NEAR(axis.x1, -xMax, 1e-3);
  EXPECT_NEAR(axis.x2, xMax, 1e-3);
  EXPECT_EQ(axis.y1, 0);
  EXPECT_EQ(axis.y2, 0);
  EXPECT_EQ(axis.color, kRed);
  EXPECT_EQ(axis.width, 1);

  for (int i : {1, 2}) {  // centre marks, under the initial transparent fill
    EXPECT_EQ(log[i].x1, i == 1 ? -kC : kC);
    EXPECT_EQ(log[i].y1, 0);
    EXPECT_EQ(log[i].r, 2);
    EXPECT_EQ(log[i].color, canvas::kBlack);
    EXPECT_FALSE(log[i].fill.has_value());
  }
  for (int i : {3, 4}) {  // edge dots at the lens's top and bottom
    EXPECT_EQ(log[i].x1, 0);
    EXPECT_NEAR(log[i].y1, (i == 3 ? 1 : -1) * std::sqrt(kR * kR - kC * kC), 1e-5);
    EXPECT_EQ(log[i].width, 4);
    EXPECT_EQ(log[i].color, canvas::kBlack);
  }
  const CanvasOp& marker = log[5];
  EXPECT_NEAR(marker.x1, 16.8, 1e-5);
  EXPECT_EQ(marker.y1, 0);
  EXPECT_EQ(marker.r, 1.5);
  EXPECT_EQ(marker.width, 1);
  EXPECT_EQ(marker.color, canvas::kBlack);
  EXPECT_FALSE(marker.fill.has_value()) << "the first marker is a ring";

  const CanvasOp& first = log[6];
  const CanvasOp& second = log[7];
  EXPECT_EQ(first.x1, kC);
  EXPECT_EQ(second.x1, -kC);
  EXPECT_EQ(first.r, kR);
  EXPECT_EQ(second.r, kR);
  EXPECT_NEAR(first.start, 2.730455, 2e-6);
  EXPECT_NEAR(first.end, 3.552731, 2e-6);
  EXPECT_NEAR(second.start, 5.872047, 2e-6);
  EXPECT_NEAR(second.end, 0.411138, 2e-6);
  EXPECT_EQ(first.width, 1);
  EXPECT_EQ(second.color, canvas::kBlack);

  const CanvasOp& fill = log[8];
  EXPECT_EQ(fill.x1, GetParam().width() / 2);
  EXPECT_EQ(fill.y1, GetParam().height() / 2);
  EXPECT_EQ(fill.color, kOlive);
}

TEST_P(StartUp, LeavesTheDrawingState) {
  const canvas::Canvas& c = canvas();
  EXPECT_EQ(c.DrawWidth, 1);
  EXPECT_EQ(c.DrawStyle, 0);
  EXPECT_EQ(c.FillStyle, 0);
  EXPECT_EQ(c.FillColor, kOlive);
  EXPECT_EQ(c.CurrentX, -165);
  EXPECT_EQ(c.CurrentY, 0);
}

// Every pixel more than 1.5 pixels inside both surfaces is olive and every
// pixel more than 1.5 pixels outside either one is not.
TEST_P(StartUp, OliveFillCoversExactlyTheLens) {
  const canvas::Canvas& c = canvas();
  const QImage& img = c.image();
  const double perUnit = (GetParam().width() + GetParam().height()) / 1000.0;
  int unfilled = 0, spilled = 0, olive = 0;
  for (int row = 0; row < img.height(); ++row) {
    for (int col = 0; col < img.width(); ++col) {
      const QPointF p = c.toWorld(QPointF(col + 0.5, row + 0.5));
      const double depth = LensDepth(p.x(), p.y()) * perUnit;
      const bool isOlive = testing_support::opaque(img.pixel(col, row)) == kOlive;
      olive += isOlive;
      if (depth > 1.5 && !isOlive) ++unfilled;
      if (depth < -1.5 && isOlive) ++spilled;
    }
  }
  EXPECT_EQ(unfilled, 0);
  EXPECT_EQ(spilled, 0);
  // Area of the lens: two circular segments of radius R and half-angle alpha.
  const double area = kR * kR * (2 * kAlpha - std::sin(2 * kAlpha));
  EXPECT_NEAR(olive, area * perUnit * perUnit, 0.05 * area * perUnit * perUnit);
}

TEST_P(StartUp, OliveAtInnerPointsAndNotJustOutside) {
  const double rimX = std::sqrt(kR * kR - 50.0 * 50.0) - kC;  // |x| of the surfaces at height +-50
  const std::vector<Point> inside{{0, 0}, {-12, 0}, {12, 0}, {0, 60}, {0, -60}, {5, 30}, {-5, -30}, {0, 66}};
  const std::vector<Point> outside{{-16.5, 0},        {16.5, 0},         {0, 74},           {0, -74},
                                   {-rimX - 1.5, 50}, {rimX + 1.5, -50}, {-rimX - 1.5, -50}, {rimX + 1.5, 50}};
  for (const Point& p : inside) EXPECT_EQ(at(p.x, p.y), kOlive) << p.x << "," << p.y;
  for (const Point& p : outside) EXPECT_NE(at(p.x, p.y), kOlive) << p.x << "," << p.y;
  const QImage& img = canvas().image();
  for (const QPoint corner : {QPoint(0, 0), QPoint(img.width() - 1, 0), QPoint(0, img.height() - 1),
                              QPoint(img.width() - 1, img.height() - 1)}) {
    EXPECT_NE(testing_support::opaque(img.pixel(corner)), kOlive) << corner.x() << "," << corner.y();
  }
}

// Of the two surface circles only the arcs between the lens edges are drawn.
TEST_P(StartUp, SurfacesAreTheLensArcsOnly) {
  auto blackNear = [&](double x, double y) {
    const QPointF p = canvas().toPixel(x, y);
    for (int dr = -2; dr <= 2; ++dr)
      for (int dc = -2; dc <= 2; ++dc)
        if (testing_support::opaque(canvas().image().pixel(int(p.x()) + dc, int(p.y()) + dr)) == canvas::kBlack)
          return true;
    return false;
  };
  for (double a : {-0.3, 0.0, 0.2, 0.4}) {  // within the half-angle 0.411 of each surface
    EXPECT_TRUE(blackNear(-kC + kR * std::cos(a), kR * std::sin(a))) << "second surface at " << a;
    EXPECT_TRUE(blackNear(kC - kR * std::cos(a), kR * std::sin(a))) << "first surface at " << a;
  }
  for (double a : {0.6, std::numbers::pi / 2, -std::numbers::pi / 2}) {  // the rest, where it is on screen
    EXPECT_FALSE(blackNear(-kC + kR * std::cos(a), kR * std::sin(a))) << "second circle at " << a;
    EXPECT_FALSE(blackNear(kC - kR * std::cos(a), kR * std::sin(a))) << "first circle at " << a;
  }
}

TEST_P(StartUp, RedAxisOutsideTheLensPaintedOverInside) {
  const canvas::Canvas& c = canvas();
  const QImage& img = c.image();
  const int axisRow = GetParam().height() / 2;  // the axis runs along the boundary of rows axisRow-1 and axisRow
  auto redNearAxis = [&](int col, int reach) {
    for (int row = axisRow - reach; row < axisRow + reach; ++row)
      if (testing_support::opaque(img.pixel(col, row)) == kRed) return true;
    return false;
  };
  const double xMax = tw->scene().XMax;
  for (double x : {-xMax + 3, -200.0, -100.0, -30.0, 30.0, 100.0, 200.0, xMax - 3}) {
    EXPECT_TRUE(redNearAxis(static_cast<int>(c.toPixel(x, 0).x()), 1)) << "x = " << x;
  }
  for (int col = static_cast<int>(c.toPixel(-13, 0).x()); col <= static_cast<int>(c.toPixel(13, 0).x()); ++col) {
    EXPECT_FALSE(redNearAxis(col, 2)) << "column " << col;
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, StartUp, ::testing::Values(QSize(1280, 800), QSize(1200, 900)), SizeName);

TEST(StartUpFourByThree, FrameSpansItsShareOfAThousandUnits) {
  testing_support::TestWindow tw(QSize(1200, 900));
  EXPECT_NEAR(tw.scene().AspectX, 4.0 / 7.0, 1e-7);
  EXPECT_NEAR(tw.scene().AspectY, 3.0 / 7.0, 1e-7);
  EXPECT_NEAR(tw.scene().XMax, 285.714, 1e-3);
  EXPECT_NEAR(tw.scene().YMax, 214.286, 1e-3);
}

TEST(StartUpWindow, Caption) {
  testing_support::TestWindow tw;
  EXPECT_EQ(tw.w().windowTitle(), QString::fromUtf8("Πορεία Ακτίνων: αρχή Fermat"));
}

}  // namespace
