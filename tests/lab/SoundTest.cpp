// Hearing the least time: the tone's pitch rises with the path's extra time
// and is lowest at the least-time point; totally reflected rays click; the
// samples are the tone they claim to be.
#include "LabTesting.h"

#include "lab/Challenge.h"
#include "lab/Run.h"
#include "lab/Sound.h"

#include <cmath>

namespace {

using namespace lab_testing;

struct PitchCase {
  double percent, hz;
};
class Pitch : public testing::TestWithParam<PitchCase> {};
TEST_P(Pitch, RisesTwoSemitonesAPerCentUpToTwoOctaves) {
  EXPECT_NEAR(lab::TonePitch(GetParam().percent), GetParam().hz, 1e-9);
}
INSTANTIATE_TEST_SUITE_P(Percents, Pitch,
                         testing::Values(PitchCase{0, 220}, PitchCase{-3, 220}, PitchCase{6, 440}, PitchCase{3, 220 * std::sqrt(2.0)},
                                         PitchCase{12, 880}, PitchCase{400, 880}, PitchCase{NAN, 880}, PitchCase{INFINITY, 880}));

TEST(Sound, TheStartIsSilentAndEachMoveIsHeard) {
  StartedLab l;
  lab::SoundFollower f;
  EXPECT_TRUE(f.next(l).empty());
  l.key(keyOf("M"), false, false);
  EXPECT_TRUE(f.next(l).empty()) << "choosing a marker moves nothing";
  l.key(keyOf("Up"), false, false);
  const lab::SoundCue moved = f.next(l);
  ASSERT_TRUE(moved.pitchHz);
  const lab::ChallengeReveal a = lab::LeastTimeAnswer(l);
  EXPECT_NEAR(*moved.pitchHz, lab::TonePitch(100 * (a.guessTime - a.leastTime) / a.leastTime), 1e-9);
  EXPECT_TRUE(f.next(l).empty()) << "heard once";
}

// Stepping along the face towards the least-time point, the tone falls; at
// the point it is the base pitch.
TEST(Sound, TheToneFallsTowardsTheLeastTime) {
  StartedLab l;
  lab::SoundFollower f;
  (void)f.next(l);
  l.key(keyOf("L"), false, false);
  const lab::SoundCue least = f.next(l);
  ASSERT_TRUE(least.pitchHz);
  EXPECT_NEAR(*least.pitchHz, lab::kToneBaseHz, 0.01);
  for (int i = 0; i < 3; ++i) l.key(keyOf("Shift+]"), false, false);
  (void)f.next(l);
  double last = INFINITY;
  for (int i = 0; i < 3; ++i) {
    l.key(keyOf("Shift+["), false, false);
    const lab::SoundCue c = f.next(l);
    ASSERT_TRUE(c.pitchHz);
    EXPECT_LT(*c.pitchHz, last) << "step " << i;
    last = *c.pitchHz;
  }
  EXPECT_NEAR(last, lab::kToneBaseHz, 0.01);
}

TEST(Sound, TotallyReflectedRaysClick) {
  StartedLab l;
  lab::SoundFollower f;
  (void)f.next(l);
  l.key(keyOf("Ctrl+2"), false, false);
  EXPECT_EQ(f.next(l).clicks, 0) << "the standard bundle leaves the lens whole";
  // A source close under the lens: the steep rays meet the second face past the critical angle.
  for (const char* w : {"source=-30,120", "height=70", "press=3"}) {
    std::vector<lab::Action> actions;
    ASSERT_EQ(lab::ParseAction(w, actions), "") << w;
    for (const lab::Action& a : actions) lab::RunAction(l, a, nullptr);
  }
  int reflected = 0;
  for (const core::BundleRay& r : l.results().bundle()->Rays) reflected += r.Leaves ? 0 : 1;
  ASSERT_GT(reflected, 0);
  EXPECT_EQ(f.next(l).clicks, std::min(reflected, lab::kMaxClicks));
}

// The samples: the tone's length and pitch (by its zero crossings), its
// fades, its loudness; then the clicks after their gaps.
TEST(Sound, SamplesAreTheToneAndTheClicks) {
  constexpr int kRate = 48000;
  EXPECT_TRUE(lab::CueSamples({}, kRate).empty());
  const std::vector<float> tone = lab::CueSamples({.pitchHz = 440}, kRate);
  ASSERT_EQ(tone.size(), static_cast<std::size_t>(std::lround(lab::kToneSeconds * kRate)));
  int crossings = 0;
  float peak = 0;
  for (std::size_t i = 1; i < tone.size(); ++i) {
    crossings += (tone[i - 1] < 0) != (tone[i] < 0);
    peak = std::max(peak, std::abs(tone[i]));
  }
  EXPECT_NEAR(crossings, 2 * 440 * lab::kToneSeconds, 2);
  EXPECT_LE(peak, 0.25f);
  EXPECT_GT(peak, 0.2f);
  EXPECT_EQ(tone.front(), 0.0f);
  EXPECT_LT(std::abs(tone.back()), 1e-6f);

  const std::vector<float> both = lab::CueSamples({.pitchHz = 440, .clicks = 2}, kRate);
  const std::size_t click = std::lround(lab::kClickSeconds * kRate), gap = std::lround(lab::kClickGapSeconds * kRate);
  EXPECT_EQ(both.size(), tone.size() + 2 * (gap + click));
  EXPECT_TRUE(std::equal(tone.begin(), tone.end(), both.begin()));
  // A rate out of range is held to the range, never a crash or an empty cue.
  EXPECT_EQ(lab::CueSamples({.clicks = 1}, 1).size(), static_cast<std::size_t>(std::lround(lab::kClickSeconds * lab::kMinSampleRate)));
}

}  // namespace
