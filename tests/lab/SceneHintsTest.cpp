// The hints beside the picture: none for the start-up scene and for the
// standard lens wherever the source stands in the air; the source in the
// glass, and a lens reaching under the buttons, each said in one sentence.
#include "LabTesting.h"

#include "lab/SceneHints.h"

#include <gtest/gtest.h>

#include <random>
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

}  // namespace
