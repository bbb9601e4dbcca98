// The rules both views follow and neither writes itself: Play's button and
// its interval, the keys of a focused scroll bar, a finger's slop around the
// markers, the challenge's answer as drawing data, and the Lens panel's
// sliders.
#include "LabTesting.h"

#include "lab/Challenge.h"
#include "lab/Controls.h"
#include "lab/LensPanelRows.h"
#include "lab/ViewTexts.h"

#include <gtest/gtest.h>

#include <limits>

#include <cmath>
#include <optional>
#include <set>
#include <string>

namespace {

using namespace lab_testing;

// gtest parameter names from a case's `name`.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

// ---------------------------------------------------------------- Play

struct PlayCase {
  const char* name;
  lab::Size client;
  double barHeight;  // pixels; < 0 keeps the start-up's
};

class PlayButtonPlace : public ::testing::TestWithParam<PlayCase> {};

TEST_P(PlayButtonPlace, StandsJustLeftOfTheTimeBar) {
  const PlayCase& c = GetParam();
  StartedLab l(c.client);
  lab::Control& bar = l.controls().xronosmetato.place;
  if (c.barHeight >= 0) {
    bar.setHeight(c.barHeight * std::abs(l.surface().ScaleHeight()) / l.surface().pixelSize().height);
  }
  const lab::PixelRect b = bar.pixelRect();
  const lab::PixelRect p = lab::PlayButtonRect(l.controls());
  EXPECT_DOUBLE_EQ(p.width, p.height) << "not a square";
  EXPECT_DOUBLE_EQ(p.height, std::max(b.height, lab::kPlayButtonMinSide));
  EXPECT_DOUBLE_EQ(p.top, b.top);
  EXPECT_DOUBLE_EQ(p.left, std::max(0.0, b.left - lab::kPlayButtonGap - p.width));
  EXPECT_GE(p.left, 0.0);
  EXPECT_LE(p.left + p.width, b.left) << "Play overlaps the time bar";
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlayButtonPlace,
                         ::testing::Values(PlayCase{"standard", {1280, 800}, -1}, PlayCase{"small", {200, 150}, -1},
                                           PlayCase{"thinBar", {1280, 800}, 6}, PlayCase{"tallBar", {1000, 700}, 40}),
                         CaseName{});

TEST(PlayButtonPlace, FollowsTheTimeBarWhenItMoves) {
  StartedLab l;
  const lab::PixelRect before = lab::PlayButtonRect(l.controls());
  lab::Control& bar = l.controls().xronosmetato.place;
  bar.setTop(bar.Top() + 5 * std::abs(l.surface().ScaleHeight()) / l.surface().pixelSize().height);
  const lab::PixelRect after = lab::PlayButtonRect(l.controls());
  EXPECT_NE(after.top, before.top);
  EXPECT_DOUBLE_EQ(after.top, bar.pixelRect().top);
}

TEST(PlayInterval, GivesTheStepsASecond) {
  EXPECT_EQ(lab::Lab::kPlayIntervalMs * lab::Lab::kStepsPerSecond, 1000);
}

struct PressCase {
  const char* name;
  lab::Lab::PressOn where;
  bool stops;
};

class PressDuringPlay : public ::testing::TestWithParam<PressCase> {};

TEST_P(PressDuringPlay, StopsItUnlessOnPlayOrInTheGraphs) {
  StartedLab l;
  l.startPlay();
  ASSERT_TRUE(l.playing());
  l.press(GetParam().where);
  EXPECT_EQ(l.playing(), !GetParam().stops);
}

INSTANTIATE_TEST_SUITE_P(Where, PressDuringPlay,
                         ::testing::Values(PressCase{"playButton", lab::Lab::PressOn::PlayButton, false},
                                           PressCase{"graphs", lab::Lab::PressOn::Graphs, false},
                                           PressCase{"elsewhere", lab::Lab::PressOn::Elsewhere, true}),
                         CaseName{});

// ---------------------------------------------------------------- a focused bar's keys

struct BarKeyCase {
  const char* name;
  BarId bar;
  int start;
  const char* key;
  bool taken;
  int value;  // after the key
};

class FocusedBarKey : public ::testing::TestWithParam<BarKeyCase> {};

TEST_P(FocusedBarKey, MovesTheBarByItsRule) {
  const BarKeyCase& c = GetParam();
  StartedLab l;
  ASSERT_TRUE(l.setBar(c.bar, c.start));
  EXPECT_EQ(l.barKey(c.bar, keyOf(c.key)), c.taken);
  EXPECT_EQ(l.controls().bar(c.bar).value, c.value);
  // The same value set directly gives the same state: a key is an ordinary setBar.
  StartedLab set;
  ASSERT_TRUE(set.setBar(c.bar, c.start));
  ASSERT_TRUE(set.setBar(c.bar, c.value));
  EXPECT_EQ(stateText(l), stateText(set));
}

// The height bar has Min 99 at the top: Up goes towards 99.
INSTANTIATE_TEST_SUITE_P(
    Keys, FocusedBarKey,
    ::testing::Values(BarKeyCase{"heightUp", BarId::Height, 0, "Up", true, 1},
                      BarKeyCase{"heightDown", BarId::Height, 0, "Down", true, -1},
                      BarKeyCase{"heightLeft", BarId::Height, 0, "Left", true, 1},
                      BarKeyCase{"heightPageUp", BarId::Height, 0, "PgUp", true, 10},
                      BarKeyCase{"heightPageDown", BarId::Height, 0, "PgDown", true, -10},
                      BarKeyCase{"heightHome", BarId::Height, 0, "Home", true, 99},
                      BarKeyCase{"heightEnd", BarId::Height, 0, "End", true, -99},
                      BarKeyCase{"heightPageUpAtMin", BarId::Height, 95, "PgUp", true, 99},
                      BarKeyCase{"raysUp", BarId::Rays, 10, "Up", true, 9},
                      BarKeyCase{"raysPageDown", BarId::Rays, 10, "PgDown", true, 20},
                      BarKeyCase{"raysUpAtMin", BarId::Rays, 2, "Up", true, 2},
                      BarKeyCase{"raysEnd", BarId::Rays, 10, "End", true, 100},
                      BarKeyCase{"timeRight", BarId::Time, 5, "Right", true, 6},
                      BarKeyCase{"timeShiftRight", BarId::Time, 5, "Shift+Right", true, 6},
                      BarKeyCase{"timeDown", BarId::Time, 50, "Down", true, 51},
                      BarKeyCase{"timePageUp", BarId::Time, 50, "PgUp", true, 45},
                      BarKeyCase{"timeCtrlRight", BarId::Time, 50, "Ctrl+Right", false, 50},
                      BarKeyCase{"timeSpace", BarId::Time, 50, "Space", false, 50},
                      BarKeyCase{"raysLetter", BarId::Rays, 10, "A", false, 10}),
    CaseName{});

TEST(FocusedBarKey, StopsPlayAsAnyKeyButSpace) {
  for (const char* key : {"Down", "Home"}) {
    StartedLab l;
    l.startPlay();
    ASSERT_TRUE(l.playing());
    // A step or a jump of the time bar while it sweeps.
    EXPECT_TRUE(l.barKey(BarId::Time, keyOf(key))) << key;
    EXPECT_FALSE(l.playing()) << key;
  }
}

TEST(FocusedBarKey, ADisabledBarTakesNone) {
  StartedLab l;
  l.controls().arithmosaktinon.enabled = false;
  EXPECT_FALSE(l.barKey(BarId::Rays, keyOf("Down")));
  EXPECT_EQ(l.controls().arithmosaktinon.value, 10);
}

// ---------------------------------------------------------------- a finger's slop

lab::PixelPoint centreOf(const lab::Control& c) {
  const lab::PixelRect& r = c.pixelRect();
  return {r.left + r.width / 2, r.top + r.height / 2};
}

struct FingerCase {
  const char* name;
  Marker near;     // the offset is from this marker's centre
  double dx, dy;   // pixels
  std::optional<Marker> takes;
};

class FingerPress : public ::testing::TestWithParam<FingerCase> {};

TEST_P(FingerPress, SnapsToAMarkerWithinTheSlop) {
  const FingerCase& c = GetParam();
  StartedLab l;
  const lab::PixelPoint m = centreOf(l.controls().marker(c.near));
  const lab::PixelPoint at{m.x + c.dx, m.y + c.dy};
  const lab::PixelPoint got = lab::FingerPressAt(l.controls(), at);
  const lab::PixelPoint want = c.takes ? centreOf(l.controls().marker(*c.takes)) : at;
  EXPECT_DOUBLE_EQ(got.x, want.x);
  EXPECT_DOUBLE_EQ(got.y, want.y);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, FingerPress,
    ::testing::Values(FingerCase{"onTheEntry", Marker::Entry, 0, 0, Marker::Entry},
                      FingerCase{"nearTheEntry", Marker::Entry, 10, -6, Marker::Entry},
                      FingerCase{"justInside", Marker::Entry, lab::kTouchSlopPixels - 0.01, 0, Marker::Entry},
                      FingerCase{"atTheSlop", Marker::Entry, lab::kTouchSlopPixels, 0, std::nullopt},
                      FingerCase{"nearTheSource", Marker::Source, 0, 12, Marker::Source},
                      FingerCase{"farFromBoth", Marker::Source, 40, 40, std::nullopt}),
    CaseName{});

TEST(FingerPress, TheNearerMarkerWins) {
  StartedLab l;
  // The source 20 pixels right of the entry point; a press 12 right of the entry is 8 from the source.
  const lab::PixelPoint e = centreOf(l.controls().shmeio);
  const lab::Frame& f = l.surface().frame();
  const core::Point w = f.toWorld({e.x + 20, e.y});
  lab::CentreOn(l.controls().kyklos, static_cast<float>(w.x), static_cast<float>(w.y));
  const lab::PixelPoint s = centreOf(l.controls().kyklos);
  const lab::PixelPoint got = lab::FingerPressAt(l.controls(), {e.x + 12, e.y});
  EXPECT_NEAR(got.x, s.x, 1e-9);
  EXPECT_NEAR(got.y, s.y, 1e-9);
}

// ---------------------------------------------------------------- the challenge's answer

lab::ChallengeReveal revealOf(bool found, double guessY, double leastY) {
  lab::ChallengeReveal r;
  r.found = found;
  r.sourceX = -250, r.sourceY = 20, r.targetX = 300, r.targetY = -10;
  r.guessX = -40, r.guessY = guessY;
  if (found) r.leastX = -38, r.leastY = leastY;
  return r;
}

struct AnswerCase {
  const char* name;
  bool found;
  double guessY, leastY;
  bool guessTextAbove;
};

class ChallengeAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ChallengeAnswer, DrawsTheGuessAndWhatWasFound) {
  const AnswerCase& c = GetParam();
  const lab::ChallengeReveal r = revealOf(c.found, c.guessY, c.leastY);
  const lab::ChallengeDrawing d = lab::ChallengeAnswerDrawing(r);
  ASSERT_EQ(d.paths.size(), c.found ? 2u : 1u);
  ASSERT_EQ(d.dots.size(), c.found ? 2u : 1u);
  // The guess's path runs source -> guess -> target, dashed, in the guess's colour.
  const lab::ChallengePath& g = d.paths[0];
  ASSERT_EQ(g.points.size(), 3u);
  EXPECT_EQ(g.points[0].x, r.sourceX);
  EXPECT_EQ(g.points[1].y, r.guessY);
  EXPECT_EQ(g.points[2].x, r.targetX);
  EXPECT_EQ(g.colour, lab::kChallengeGuessColour);
  EXPECT_FALSE(g.dash.empty());
  EXPECT_EQ(d.dots[0].text, "your guess");
  EXPECT_EQ(d.dots[0].at.y, r.guessY);
  EXPECT_EQ(d.dots[0].textAbove, c.guessTextAbove);
  if (!c.found) return;
  const lab::ChallengePath& least = d.paths[1];
  EXPECT_EQ(least.colour, lab::kChallengeLeastColour);
  EXPECT_TRUE(least.dash.empty());
  EXPECT_EQ(least.points[1].x, r.leastX);
  EXPECT_EQ(least.points[1].y, r.leastY);
  EXPECT_EQ(d.dots[1].text, "least time");
  EXPECT_EQ(d.dots[1].fill, lab::kChallengeLeastColour);
  // The two texts on opposite sides, so they never cover each other.
  EXPECT_NE(d.dots[0].textAbove, d.dots[1].textAbove);
}

INSTANTIATE_TEST_SUITE_P(Answers, ChallengeAnswer,
                         ::testing::Values(AnswerCase{"guessHigher", true, 30, 10, true},
                                           AnswerCase{"guessLower", true, 5, 10, false},
                                           AnswerCase{"same", true, 10, 10, true},
                                           AnswerCase{"notFound", false, 10, 0, true}),
                         CaseName{});

TEST(ChallengeAnswer, TheLeastTimeColourIsNoneThePictureUses) {
  StartedLab l;
  for (int k = 1; k <= 5; ++k) {
    l.click(k);
    while (l.busy()) l.dismissMessage();
  }
  std::set<numeric::Colour> used;
  for (const Op& op : l.surface().log()) {
    used.insert(op.color | 0xff000000u);
    if (op.fill) used.insert(*op.fill | 0xff000000u);
  }
  ASSERT_GT(used.size(), 2u);
  EXPECT_EQ(used.count(lab::kChallengeLeastColour), 0u);
}

TEST(ChallengeAnswer, FollowsTheRevealOfTheLab) {
  StartedLab l;
  l.challenge().start(l);
  drag(l, Marker::Entry, -30.0f, 15.0f);
  const auto& r = l.challenge().reveal(l);
  ASSERT_TRUE(r.has_value());
  const lab::ChallengeDrawing d = lab::ChallengeAnswerDrawing(*r);
  ASSERT_EQ(d.dots.size(), r->found ? 2u : 1u);
  EXPECT_EQ(d.dots[0].at.x, r->guessX);
  EXPECT_EQ(d.paths[0].points[0].y, r->sourceY);
}

// ---------------------------------------------------------------- the Lens panel's sliders

struct SliderCase {
  const char* name;
  lab::LensField field;
  int position;
};

class LensSlider : public ::testing::TestWithParam<SliderCase> {};

TEST_P(LensSlider, APositionIsTheValueTheFieldShows) {
  const SliderCase& c = GetParam();
  const lab::LensPanelRow& row = lab::LensPanelRowOf(c.field);
  const lab::SliderRange range = lab::LensSliderRange(c.field);
  ASSERT_LT(range.low, range.high);
  const std::optional<double> v = lab::LensSliderValue(c.field, c.position);
  if (row.curvature && c.position == 0) {
    EXPECT_FALSE(v.has_value()) << "the middle of a face's slider is flat";
    return;
  }
  ASSERT_TRUE(v.has_value());
  const double exact = row.curvature ? lab::kCurvatureScale / c.position : c.position * row.sliderStep;
  const double unit = std::pow(10.0, -row.decimals);
  // Within half the field's last decimal of the exact value, and on that decimal.
  EXPECT_LE(std::abs(*v - exact), unit / 2 + 1e-12) << *v << " for " << exact;
  EXPECT_NEAR(*v / unit, std::round(*v / unit), 1e-6);
  if (!row.curvature) EXPECT_EQ(lab::LensSliderPosition(c.field, *v), c.position) << "no round trip";
  else EXPECT_EQ(*v > 0, c.position > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, LensSlider,
    ::testing::Values(SliderCase{"index171", lab::LensField::Index, 171},
                      SliderCase{"indexLow", lab::LensField::Index, 105},
                      SliderCase{"firstFlat", lab::LensField::First, 0},
                      SliderCase{"firstSeven", lab::LensField::First, 7},
                      SliderCase{"firstHollow", lab::LensField::First, -3},
                      SliderCase{"secondThirty", lab::LensField::Second, 30},
                      SliderCase{"thickness40", lab::LensField::Thickness, 40},
                      SliderCase{"aperture25", lab::LensField::Aperture, 25}),
    CaseName{});

// A field holding no number (empty, or typed nonsense the page reads as NaN)
// puts its slider at a position inside its range, never at an undefined one.
TEST(LensSlider, AValueThatIsNoNumberStandsInsideTheRange) {
  for (const lab::LensPanelRow& row : lab::LensPanelRows()) {
    const lab::SliderRange r = lab::LensSliderRange(row.field);
    for (const double v : {std::nan(""), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()}) {
      const int p = lab::LensSliderPosition(row.field, v);
      EXPECT_GE(p, r.low) << row.key << " " << v;
      EXPECT_LE(p, r.high) << row.key << " " << v;
    }
  }
}

TEST(LensSlider, PositionsBeyondTheEndsStandAtTheEnds) {
  for (const lab::LensPanelRow& row : lab::LensPanelRows()) {
    const lab::SliderRange r = lab::LensSliderRange(row.field);
    EXPECT_EQ(lab::LensSliderValue(row.field, r.high + 50), lab::LensSliderValue(row.field, r.high)) << row.key;
    EXPECT_EQ(lab::LensSliderValue(row.field, r.low - 50), lab::LensSliderValue(row.field, r.low)) << row.key;
  }
}

// ---------------------------------------------------------------- texts

TEST(ViewTexts, TriesCountsInTheTablesWords) {
  for (const int n : {0, 3, 12}) {
    const std::string t = lab::TriesText(n);
    EXPECT_EQ(t, "Tries: " + std::to_string(n)) << t;
    EXPECT_EQ(t.substr(t.size() - std::to_string(n).size()), std::to_string(n)) << t;
  }
}

}  // namespace
