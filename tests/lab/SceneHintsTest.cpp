// The words beside the pictures: the hints (none for the start-up scene and
// for the standard lens wherever the source stands in the air; the source in
// the glass, and a lens reaching under the buttons, each said in one
// sentence), and the equal-time view's title, which names a focus only where
// there is one.
#include "LabTesting.h"

#include "lab/Format.h"
#include "lab/Run.h"
#include "lab/SceneHints.h"
#include "graphs/EqualTime.h"
#include "optics/Faces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <string>

namespace {

using lab_testing::drag;
using lab_testing::StartedLab;

bool says(const std::vector<std::string>& hints, const std::string& words) {
  for (const std::string& h : hints) {
    if (h.find(words) != std::string::npos) return true;
  }
  return false;
}

TEST(SceneHints, NoneForTheStandardLensWithTheSourceInTheAir) {
  std::mt19937 rng(4);
  for (const lab::Size size : {lab::Size{1280, 800}, lab::Size{640, 400}, lab::Size{1920, 1017}}) {
    StartedLab l(size);
    EXPECT_TRUE(lab::SceneHints(l).empty()) << size.width;
    for (int i = 0; i < 30; ++i) {
      drag(l, lab::Marker::Source, std::uniform_real_distribution<float>(-300, -20)(rng),
           std::uniform_real_distribution<float>(-150, 150)(rng));
      const std::vector<std::string> hints = lab::SceneHints(l);
      EXPECT_TRUE(hints.empty()) << hints.front();
    }
  }
}

TEST(SceneHints, SayWhenTheSourceIsInTheGlassAndWhenTheLensReachesUnderTheButtons) {
  StartedLab l;
  drag(l, lab::Marker::Source, -5, 10);
  EXPECT_TRUE(says(lab::SceneHints(l), "source lies in the glass"));
  drag(l, lab::Marker::Source, -250, 10);
  EXPECT_TRUE(lab::SceneHints(l).empty());
  optics::LensDesign big;
  big.First = {.Flat = false, .Radius = 200};
  big.Second = {.Flat = false, .Radius = -250};
  big.Thickness = 400;
  big.Aperture = 150;
  ASSERT_EQ(l.setLens(big), "");
  const std::vector<std::string> hints = lab::SceneHints(l);
  EXPECT_TRUE(says(hints, "under the buttons"));
  EXPECT_FALSE(says(hints, "source lies in the glass"));
}

// A biconcave lens is thinnest on the axis: its glass reaches furthest at
// the rims. One whose rims reach under the buttons while its faces' vertices
// stay left of them is under the buttons all the same.
TEST(SceneHints, ALensReachingUnderTheButtonsOnlyAtItsRims) {
  StartedLab l;
  drag(l, lab::Marker::Source, -250, 10);
  optics::LensDesign concave;
  concave.First = {.Flat = false, .Radius = -200};  // hollow faces
  concave.Second = {.Flat = false, .Radius = -200};
  concave.Thickness = 20;
  concave.Aperture = 180;
  ASSERT_EQ(l.setLens(concave), "");
  const optics::Lens& lens = l.lens();
  const lab::Frame& frame = l.surface().frame();
  double buttonsLeft = 1e9, buttonsLow = 1e9;  // world units: the buttons' left and lowest edges
  for (const lab::Button* b : l.controls().buttons()) {
    const lab::PixelRect& r = b->place.pixelRect();
    buttonsLeft = std::min(buttonsLeft, frame.toWorld({r.left, 0}).x);
    buttonsLow = std::min(buttonsLow, frame.toWorld({0, r.top + r.height}).y);
  }
  // What makes the case: the vertices left of every button, a rim under them.
  ASSERT_LT(std::max(lens.First.VertexX, lens.Second.VertexX), buttonsLeft);
  ASSERT_GT(optics::RimX(lens.Second), buttonsLeft);
  ASSERT_GT(lens.HalfAperture, buttonsLow);
  EXPECT_TRUE(says(lab::SceneHints(l), "under the buttons"));
}

}  // namespace

namespace {

// The equal-time view names a focus only where there can be one: with the
// source on the axis its title gives the least spread's x; off the axis it
// says there is no focus (and the least point is no focus either).
TEST(EqualTimeTitle, NamesAFocusOnlyForASourceOnTheAxis) {
  for (const auto& [y, onAxis] : {std::pair{0.0f, true}, std::pair{0.3f, true}, std::pair{40.0f, false},
                                  std::pair{-12.0f, false}}) {
    lab_testing::StartedLab l;
    lab_testing::drag(l, lab::Marker::Source, -250, y);
    ASSERT_TRUE(l.click(5));
    while (l.message()) l.dismissMessage();
    const graphs::EqualTimeData d = lab::CurrentEqualTime(l);
    ASSERT_FALSE(d.empty()) << y;
    EXPECT_EQ(d.sourceOnAxis, onAxis) << y;
    const std::string title = graphs::EqualTimeTitle(d);
    if (onAxis) {
      EXPECT_EQ(title, "Spread of the rays' times to each point of the axis; least at x = " + lab::Format(d.bestX, "0.00"));
    } else {
      EXPECT_NE(title.find("no focus: the source is off the axis"), std::string::npos) << title;
      EXPECT_EQ(title.find("least at"), std::string::npos) << title;
    }
  }
  EXPECT_EQ(graphs::EqualTimeTitle({}), "Equal time at the focus: continue the bundle first");
}

}  // namespace
