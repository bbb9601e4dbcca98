// The window follows the lab's rules and draws the lab's data: Play's button
// where the lab places it and its timer at the lab's interval, a focused
// bar's keys by the lab's rule, the challenge's answer as the lab draws it,
// and the Lens panel's sliders by the lab's mapping.
#include "QtTesting.h"
#include "TestWindow.h"

#include "lab/Challenge.h"
#include "lab/Controls.h"
#include "lab/Keys.h"
#include "lab/LensPanelRows.h"
#include "window/LensMenu.h"
#include "window/LensPanel.h"
#include "window/LiveLab.h"

#include <QDoubleSpinBox>
#include <QImage>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::TestWindow;

int rounded(double v) { return static_cast<int>(std::lround(v)); }

// ---------------------------------------------------------------- Play

struct PlaceCase {
  const char* name;
  QSize client;
};

class WindowPlayButton : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(WindowPlayButton, StandsWhereTheLabPutsIt) {
  TestWindow t(GetParam().client);
  const lab::PixelRect r = lab::PlayButtonRect(t.w().lab().controls());
  const QRect g = t.w().live().playButton().geometry();
  EXPECT_EQ(g, QRect(rounded(r.left), rounded(r.top), rounded(r.width), rounded(r.height)));
  EXPECT_EQ(t.w().live().tickInterval(), lab::Lab::kPlayIntervalMs);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowPlayButton,
                         ::testing::Values(PlaceCase{"standard", {1280, 800}}, PlaceCase{"small", {320, 240}},
                                           PlaceCase{"wide", {1600, 700}}),
                         testing_support::ByName{});

// ---------------------------------------------------------------- a focused bar's keys

struct WindowBarKeyCase {
  const char* name;
  Qt::Key key;
  int start;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

class WindowFocusedBar : public ::testing::TestWithParam<WindowBarKeyCase> {};

TEST_P(WindowFocusedBar, TakesItsKeysByTheLabsRule) {
  const WindowBarKeyCase& c = GetParam();
  TestWindow t;
  canvas::Form& f = t.form();
  t.w().lab().setBar(lab::BarId::Rays, c.start);
  t.w().catchUp();
  // What the lab's rule gives for that key on that bar.
  lab::Lab expected(t.w().lab().surface().pixelSize());
  expected.buildScene();
  expected.setBar(lab::BarId::Rays, c.start);
  const int combination = QKeyCombination(c.modifiers, c.key).toCombined();
  EXPECT_EQ(expected.barKey(lab::BarId::Rays, combination), c.modifiers == Qt::NoModifier);
  f.arithmosaktinon.bar()->setFocus();
  QTest::keyClick(f.arithmosaktinon.bar(), c.key, c.modifiers);
  EXPECT_EQ(t.w().lab().controls().arithmosaktinon.value, expected.controls().arithmosaktinon.value);
  EXPECT_EQ(f.arithmosaktinon.Value(), expected.controls().arithmosaktinon.value) << "the widget shows another value";
}

INSTANTIATE_TEST_SUITE_P(Keys, WindowFocusedBar,
                         ::testing::Values(WindowBarKeyCase{"down", Qt::Key_Down, 10},
                                           WindowBarKeyCase{"up", Qt::Key_Up, 10},
                                           WindowBarKeyCase{"pageDown", Qt::Key_PageDown, 10},
                                           WindowBarKeyCase{"pageUpNearMin", Qt::Key_PageUp, 6},
                                           WindowBarKeyCase{"home", Qt::Key_Home, 40},
                                           WindowBarKeyCase{"end", Qt::Key_End, 40},
                                           // Not the bar's key, by the lab's rule: Qt's bar must not take it either.
                                           WindowBarKeyCase{"ctrlDown", Qt::Key_Down, 40, Qt::ControlModifier},
                                           WindowBarKeyCase{"altPageDown", Qt::Key_PageDown, 40, Qt::AltModifier}),
                         testing_support::ByName{});

// ---------------------------------------------------------------- the challenge's answer

struct GuessCase {
  const char* name;
  float dx, dy;  // the entry point's move before the reveal, world units
};

class WindowChallengeOverlay : public ::testing::TestWithParam<GuessCase> {};

TEST_P(WindowChallengeOverlay, DrawsTheLabsDrawing) {
  TestWindow t;
  t.w().startChallenge();
  const lab::ShapeCentre e = lab::CentreOf(t.w().lab().controls().shmeio);
  t.w().lab().pointerDown(e.x, e.y);
  t.w().lab().pointerUp(e.x + GetParam().dx, e.y + GetParam().dy);
  t.w().catchUp();
  const auto& reveal = t.w().revealChallenge();
  ASSERT_TRUE(reveal.has_value());
  auto* overlay = t.w().findChild<QWidget*>(QStringLiteral("challengeOverlay"));
  ASSERT_NE(overlay, nullptr);
  ASSERT_TRUE(overlay->isVisible() || !overlay->isHidden());
  const QImage shot = overlay->grab().toImage();
  const lab::ChallengeDrawing d = lab::ChallengeAnswerDrawing(*reveal);
  ASSERT_FALSE(d.dots.empty());
  for (const lab::ChallengeDot& dot : d.dots) {
    const QPointF p = t.canvas().toPixel(dot.at.x, dot.at.y) * shot.devicePixelRatio();
    const QRgb got = testing_support::opaque(shot.pixel(static_cast<int>(p.x()), static_cast<int>(p.y())));
    EXPECT_EQ(got, dot.fill) << dot.text << ": " << std::hex << got;
  }
  // Off: nothing over the picture.
  t.w().stopChallenge();
  EXPECT_TRUE(overlay->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Guesses, WindowChallengeOverlay,
                         ::testing::Values(GuessCase{"up", 0, 40}, GuessCase{"down", 0, -45}, GuessCase{"aside", 25, 10}),
                         testing_support::ByName{});

// ---------------------------------------------------------------- the Lens panel's sliders

struct PanelSliderCase {
  const char* name;
  int row;  // LensPanel::kIndex ...
  lab::LensField field;
  int position;
};

class WindowLensSlider : public ::testing::TestWithParam<PanelSliderCase> {};

double fieldOf(const optics::LensDesign& d, lab::LensField f) {
  switch (f) {
    case lab::LensField::Index: return d.N;
    case lab::LensField::First: return d.First.Flat ? 0 : d.First.Radius;
    case lab::LensField::Second: return d.Second.Flat ? 0 : d.Second.Radius;
    case lab::LensField::Thickness: return d.Thickness;
    case lab::LensField::Aperture: return d.Aperture.value_or(-1);
  }
  return -1;
}

TEST_P(WindowLensSlider, GivesTheLensTheLabMapsThePositionTo) {
  const PanelSliderCase& c = GetParam();
  TestWindow t;
  app::LensPanel& panel = t.w().lensMenu().openPanel();
  panel.row(c.row).slider->setValue(c.position);
  EXPECT_EQ(panel.row(c.row).slider->value(), c.position);
  const std::optional<double> v = lab::LensSliderValue(c.field, c.position);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(fieldOf(t.w().lab().lensDesign(), c.field), *v);
}

// The same positions as the page's test (web/tests/viewrules.test.mjs).
INSTANTIATE_TEST_SUITE_P(
    Positions, WindowLensSlider,
    ::testing::Values(PanelSliderCase{"secondSeven", app::LensPanel::kSecond, lab::LensField::Second, 7},
                      PanelSliderCase{"secondHollow", app::LensPanel::kSecond, lab::LensField::Second, -3},
                      PanelSliderCase{"index", app::LensPanel::kIndex, lab::LensField::Index, 163},
                      PanelSliderCase{"thickness", app::LensPanel::kThickness, lab::LensField::Thickness, 44}),
    testing_support::ByName{});

}  // namespace
