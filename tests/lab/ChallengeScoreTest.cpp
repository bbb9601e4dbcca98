// The score a course platform records for a challenge's answer: found
// within two units (full marks), falling in proportion to the distance to
// nothing at fifty, none without an answer; and on real guesses made by the
// keys, in the lens, mirror and medium scenes.
#include "LabTesting.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "lab/Challenge.h"
#include "lab/Run.h"
#include "lab/Script.h"

namespace {

using namespace lab_testing;

struct ScoreCase {
  const char* name;
  bool found;       // the search found the least-time point
  double distance;  // of the guess from it, world units
  std::optional<lab::ChallengeScore> expected;
};

class ChallengeScores : public testing::TestWithParam<ScoreCase> {};

TEST_P(ChallengeScores, FollowTheDistance) {
  const ScoreCase& c = GetParam();
  lab::ChallengeReveal r;
  r.found = c.found;
  r.distance = c.distance;
  const std::optional<lab::ChallengeScore> s = lab::ScoreOf(r);
  ASSERT_EQ(s.has_value(), c.expected.has_value());
  if (!s) return;
  EXPECT_EQ(s->hit, c.expected->hit);
  EXPECT_EQ(s->score, c.expected->score);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Distances, ChallengeScores,
    testing::Values(ScoreCase{"on_the_point", true, 0, lab::ChallengeScore{true, 100}},
                    ScoreCase{"at_the_edge_of_found", true, 2, lab::ChallengeScore{true, 100}},
                    ScoreCase{"just_beyond_it", true, 2.01, lab::ChallengeScore{false, 96}},
                    ScoreCase{"half_way", true, 25, lab::ChallengeScore{false, 50}},
                    ScoreCase{"rounds_to_nearest", true, 30.3, lab::ChallengeScore{false, 39}},
                    ScoreCase{"at_fifty", true, 50, lab::ChallengeScore{false, 0}},
                    ScoreCase{"far_off", true, 400, lab::ChallengeScore{false, 0}},
                    ScoreCase{"infinitely_far", true, kInf, std::nullopt},
                    ScoreCase{"not_a_number", true, kNaN, std::nullopt},
                    ScoreCase{"negative", true, -1, std::nullopt},
                    ScoreCase{"no_least_time_point", false, 0, std::nullopt}),
    [](const testing::TestParamInfo<ScoreCase>& p) { return std::string(p.param.name); });

// One action of the command line's, run as a user's.
void apply(lab::Lab& l, const char* word) {
  std::vector<lab::Action> script;
  ASSERT_EQ(lab::ParseAction(word, script), "") << word;
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
}

struct SceneCase {
  const char* name;
  const char* scene;  // an action that sets the scene, or "" for the lens
};

class ScoresInScenes : public testing::TestWithParam<SceneCase> {};

// L puts the guess on the least-time point: found, full marks. Stepped away
// by the keys, the score is the one its distance earns, and falls further
// with every step away.
TEST_P(ScoresInScenes, TheLeastTimePointScoresFullMarksAndStepsAwayLess) {
  StartedLab l;
  if (*GetParam().scene) apply(l, GetParam().scene);
  l.key(keyOf("L"), false, false);
  const std::optional<lab::ChallengeScore> on = lab::ScoreOf(lab::LeastTimeAnswer(l));
  ASSERT_TRUE(on.has_value());
  EXPECT_TRUE(on->hit);
  EXPECT_EQ(on->score, 100);
  int last = 100;
  for (int step = 1; step <= 3; ++step) {
    l.key(keyOf("}"), false, false);
    const lab::ChallengeReveal r = lab::LeastTimeAnswer(l);
    const std::optional<lab::ChallengeScore> s = lab::ScoreOf(r);
    ASSERT_TRUE(s.has_value()) << "step " << step;
    EXPECT_FALSE(s->hit) << "step " << step << ", " << r.distance << " away";
    EXPECT_EQ(s->score, static_cast<int>(std::lround(100 * (1 - std::min(r.distance, 50.0) / 50)))) << "step " << step;
    EXPECT_LT(s->score, last) << "step " << step;
    last = s->score;
  }
}

// The session's record keeps the best answer: found stays found, the
// highest score stays, through later rounds and a stop.
TEST(ChallengeBest, KeepsTheHighestScoreAndWhetherAnyGuessFoundThePoint) {
  StartedLab l;
  EXPECT_FALSE(l.challenge().best().has_value());
  l.challenge().start(l);
  for (int step = 0; step < 3; ++step) l.key(keyOf("}"), false, false);
  const std::optional<lab::ChallengeScore> far = lab::ScoreOf(*l.challenge().reveal(l));
  ASSERT_TRUE(far.has_value());
  ASSERT_TRUE(l.challenge().best().has_value());
  EXPECT_EQ(l.challenge().best()->score, far->score);
  EXPECT_FALSE(l.challenge().best()->hit);
  l.key(keyOf("L"), false, false);
  (void)l.challenge().reveal(l);
  l.challenge().stop();
  l.challenge().start(l);
  l.key(keyOf("}"), false, false);
  const std::optional<lab::ChallengeScore> near = lab::ScoreOf(*l.challenge().reveal(l));
  ASSERT_TRUE(near.has_value());
  EXPECT_LT(near->score, 100);
  ASSERT_TRUE(l.challenge().best().has_value());
  EXPECT_TRUE(l.challenge().best()->hit);
  EXPECT_EQ(l.challenge().best()->score, 100);
}

INSTANTIATE_TEST_SUITE_P(Scenes, ScoresInScenes,
                         testing::Values(SceneCase{"lens", ""}, SceneCase{"concave_mirror", "mirror=concave,r=200"},
                                         SceneCase{"mirage", "medium=mirage"}),
                         [](const testing::TestParamInfo<SceneCase>& p) { return std::string(p.param.name); });

}  // namespace
