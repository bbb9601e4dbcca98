// The window's mouse and scroll-bar procedures and the least-time button, run
// in-process on a started window.
#include "TestWindow.h"

#include "lab/Format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::TestWindow;
using Kind = lab::Op::Kind;

struct HitCase {
  const char* name;
  double dx, dy;  // press position as a fraction of the shape's width/height from its top-left corner
  bool grabs;
};

class EntryHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(EntryHitTest, PressGrabsOnlyStrictlyInsideTheRectangle) {
  TestWindow t;
  canvas::Shape& s = t.form().shmeio;
  const testing_support::WorldBox b = testing_support::WorldBoxOf(s);
  const float l = b.left, top = b.top, w = b.width, h = b.height;
  const HitCase& c = GetParam();
  // Edges are formed in Single, as the hit test forms them.
  const float x = c.dx == 1.0 ? l + w : static_cast<float>(l + c.dx * w);
  const float y = c.dy == 1.0 ? top - h : static_cast<float>(top - c.dy * h);
  t.w().Form_MouseDown(1, 0, x, y);
  EXPECT_EQ(t.w().lab().DraggingPoint, c.grabs);
  EXPECT_FALSE(t.w().lab().DraggingSource);
}

INSTANTIATE_TEST_SUITE_P(Edges, EntryHitTest,
                         ::testing::Values(HitCase{"centre", 0.5, 0.5, true}, HitCase{"offCentre", 0.2, 0.8, true},
                                           HitCase{"leftEdge", 0.0, 0.5, false},
                                           HitCase{"rightEdge", 1.0, 0.5, false},
                                           HitCase{"topEdge", 0.5, 0.0, false},
                                           HitCase{"bottomEdge", 0.5, 1.0, false},
                                           HitCase{"leftOfShape", -0.5, 0.5, false}),
                         testing_support::ByName{});

TEST(Drag, OffCentrePressThenMoveCentresTheShapeOnThePointer) {
  TestWindow t;
  canvas::Shape& s = t.form().kyklos;
  const testing_support::WorldBox b = testing_support::WorldBoxOf(s);
  const float x = b.left + 0.25f * b.width, y = b.top - 0.75f * b.height;
  t.w().Form_MouseDown(1, 0, x, y);
  ASSERT_TRUE(t.w().lab().DraggingSource);
  t.w().Form_MouseMove(1, 0, -120.0f, 33.0f);
  EXPECT_NEAR(testing_support::CentreOf(s).x, -120.0f, 1e-4);
  EXPECT_NEAR(testing_support::CentreOf(s).y, 33.0f, 1e-4);
}

TEST(Drag, EachMarkerIsGrabbedByItsOwnPressAndTheEntryPointWhereTheyOverlap) {
  TestWindow t;
  t.dragSource(-200.0f, 0.0f);
  t.dragEntry(-15.0f, 0.0f);
  t.w().Form_MouseDown(1, 0, -200.0f, 0.0f);
  EXPECT_TRUE(t.w().lab().DraggingSource);
  t.w().Form_MouseUp(1, 0, -100.0f, 20.0f);
  t.dragEntry(-100.0f, 20.0f);  // now on top of the source
  t.w().Form_MouseDown(1, 0, -100.0f, 20.0f);
  EXPECT_TRUE(t.w().lab().DraggingPoint);
  EXPECT_FALSE(t.w().lab().DraggingSource);
}

TEST(Drag, ReleaseDrawsThePathAndShowsItsTravelTime) {
  TestWindow t;
  t.dragSource(-200.0f, 0.0f);
  t.surface().clearLog();
  t.dragEntry(-15.0f, 0.0f);
  // d1 = 185 in air at speed 2, d2 = 31.8 in glass at speed 1.
  EXPECT_EQ(t.form().Label2.Caption(), "time = 124.30");
  const auto& log = t.log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front().kind, Kind::Cls);
  const lab::Op& toTarget = log.back();
  const lab::Op& fromSource = log[log.size() - 2];
  EXPECT_EQ(fromSource.kind, Kind::Line);
  EXPECT_FLOAT_EQ(fromSource.x1, -200.0f);
  EXPECT_FLOAT_EQ(fromSource.x2, -15.0f);
  EXPECT_EQ(toTarget.kind, Kind::Line);
  EXPECT_FLOAT_EQ(toTarget.x1, -15.0f);
  EXPECT_NEAR(toTarget.x2, 16.8, 1e-5);
  EXPECT_NEAR(toTarget.y2, 0.0, 1e-9);
  EXPECT_EQ(toTarget.color, canvas::kBlack);
}

TEST(Drag, ReleaseWithoutAGrabChangesNothing) {
  TestWindow t;
  t.surface().clearLog();
  t.w().Form_MouseUp(1, 0, 10.0f, 10.0f);
  t.w().Form_MouseDown(1, 0, 250.0f, -150.0f);  // a miss
  t.w().Form_MouseMove(1, 0, 0.0f, 0.0f);
  t.w().Form_MouseUp(1, 0, 0.0f, 0.0f);
  EXPECT_TRUE(t.log().empty());
  EXPECT_EQ(t.form().Label2.Caption(), "");
}

TEST(Bars, TargetHeightClearsAndRedrawsWithTheMarkerAtTheNewHeight) {
  TestWindow t;
  t.dragEntry(-10.0f, 5.0f);
  const QString time = t.form().Label2.Caption();
  t.surface().clearLog();
  t.form().thesiy.setValue(-35);
  EXPECT_EQ(t.form().Label1.Caption(), "ψ= -35");
  EXPECT_EQ(t.form().Label2.Caption(), time);
  ASSERT_FALSE(t.log().empty());
  EXPECT_EQ(t.log().front().kind, Kind::Cls);
  const auto circles = t.ops(Kind::Circle);
  ASSERT_FALSE(circles.empty());
  EXPECT_NEAR(circles.back().y1, -35.0, 1e-4);
  EXPECT_EQ(circles.back().width, 2);
  EXPECT_TRUE(t.ops(Kind::Line).size() == 1u);  // the axis; the dragged ray is gone
}

TEST(Bars, RayCountChangesOnlyItsLabelWithACapitalN) {
  TestWindow t;
  EXPECT_EQ(t.form().Label5.Caption(), "number of points=10");
  t.surface().clearLog();
  t.form().arithmosaktinon.setValue(11);
  EXPECT_EQ(t.form().Label5.Caption(), "Number of points=11");
  EXPECT_TRUE(t.log().empty());
  // Writing the value the bar already has fires no change: the caption stays as it is.
  t.form().Label5.setCaption("marker");
  t.form().arithmosaktinon.setValue(11);
  EXPECT_EQ(t.form().Label5.Caption(), "marker");
  t.form().arithmosaktinon.setValue(10);
  EXPECT_EQ(t.form().Label5.Caption(), "Number of points=10");
}

struct FermatCase {
  const char* name;
  int height;
  float sx, sy;
  const char* label3;
  const char* label4;  // nullptr: not checked
  const char* label2;  // nullptr: not checked
  double ex = NAN, ey = NAN;  // expected entry point, NaN when not checked
};

class PositionByFermatTest : public ::testing::TestWithParam<FermatCase> {};

TEST_P(PositionByFermatTest, ShowsTheAnglesIndexAndTime) {
  const FermatCase& c = GetParam();
  TestWindow t;
  t.form().thesiy.setValue(c.height);
  t.dragSource(c.sx, c.sy);
  t.surface().clearLog();
  t.form().Command1.click();
  if (c.label3) {
    EXPECT_EQ(t.form().Label3.Caption(), c.label3);
  }
  if (c.label4) {
    EXPECT_EQ(t.form().Label4.Caption(), c.label4);
  }
  if (c.label2) {
    EXPECT_EQ(t.form().Label2.Caption(), c.label2);
  }
  const lab::ShapeCentre e = testing_support::CentreOf(t.form().shmeio);
  if (!std::isnan(c.ex)) {
    EXPECT_NEAR(e.x, c.ex, 2e-3);
    EXPECT_NEAR(e.y, c.ey, 2e-3);
  }
  // Source -> entry -> target in black, then the dotted normal from (c, 0).
  const auto lines = t.ops(Kind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_FLOAT_EQ(lines[0].x1, c.sx);
  EXPECT_EQ(lines[0].style, 0);
  EXPECT_EQ(lines[2].style, 2);
  EXPECT_FLOAT_EQ(lines[2].x1, 165.0f);
  EXPECT_EQ(t.surface().DrawStyle, 0);
  EXPECT_TRUE(t.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionByFermatTest,
    ::testing::Values(
        FermatCase{"onAxis", 0, -300, 0, nullptr, nullptr, "χρόνος = 174.30", -15.0, 0.0},
        FermatCase{"belowAxis", -30, -200, 40, "Incidence = 28.68 refraction= 13.88", "n  = 2.00",
                   "χρόνος = 126.72", -12.872, -27.596},
        FermatCase{"aboveAxis", 50, -300, 0, "Incidence = -26.40 refraction= -12.85", "n  = 2.00", nullptr},
        FermatCase{"beyondRim", 99, -100, 0, "Incidence = -63.02 refraction= -26.46", "n  = 2.00", nullptr, 2.903,
                   78.259}),
    testing_support::ByName{});

TEST(PositionByFermat, OnAxisAnglesVanishAndTheNormalRunsAlongTheAxis) {
  TestWindow t;
  t.dragSource(-300.0f, 0.0f);
  t.surface().clearLog();
  t.form().Command1.click();
  // Both angles within +-0.01 degrees: "0.00" either way, never "-0.00".
  EXPECT_EQ(t.form().Label3.Caption(), "Incidence = 0.00 refraction= 0.00");
  const auto lines = t.ops(Kind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[2].x2, -157.5, 1e-2);
  EXPECT_NEAR(lines[2].y2, 0.0, 1e-2);
}

TEST(PositionByFermat, UsesTheSourceWhereItWasDraggedTo) {
  TestWindow t;
  t.dragSource(-200.0f, 40.0f);
  t.form().Command1.click();
  const lab::ShapeCentre before = testing_support::CentreOf(t.form().shmeio);
  t.dragSource(-250.0f, -60.0f);
  t.surface().clearLog();
  t.form().Command1.click();
  const auto lines = t.ops(Kind::Line);
  ASSERT_FALSE(lines.empty());
  EXPECT_FLOAT_EQ(lines[0].x1, -250.0f);
  EXPECT_FLOAT_EQ(lines[0].y1, -60.0f);
  EXPECT_GT(std::abs(testing_support::CentreOf(t.form().shmeio).y - before.y), 1.0f);
}

}  // namespace
