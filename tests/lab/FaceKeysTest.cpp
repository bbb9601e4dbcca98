// Without a pointer: L puts the entry point on the least-time point, [ and ]
// step it along the face (Shift or { }: ten units), held within the rims;
// in the mirror scene along the mirror. Each is a complete drag that a
// script replays to the same state.
#include "LabTesting.h"

#include "core/MirrorFermat.h"
#include "lab/Challenge.h"
#include "lab/MirrorText.h"
#include "lab/Run.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"

namespace {

using namespace lab_testing;

// The point of the first face the entry marker stands for, and its parameter.
struct OnFace {
  double u, x, y;
};
OnFace onFace(const lab::Lab& l) {
  const optics::Lens& lens = l.scene().lens();
  const lab::ShapeCentre m = lab::CentreOf(l.controls().shmeio);
  const double u = optics::ParameterOf(lens.First, m.x, m.y, lens.Pi);
  const optics::FacePoint p = optics::PointOf(lens.First, u);
  return {u, p.X, p.Y};
}

TEST(FaceKeys, LPutsTheEntryPointOnTheLeastTimePoint) {
  StartedLab l;
  l.key(keyOf("L"), false, false);
  EXPECT_EQ(l.activeMarker(), Marker::Entry);
  const lab::ChallengeReveal a = lab::LeastTimeAnswer(l);
  ASSERT_TRUE(a.found);
  // The marker stands where a pointer would put it: within Single's rounding.
  EXPECT_LT(a.distance, 1e-3);
  EXPECT_NEAR(a.guessTime, a.leastTime, 1e-6);
  EXPECT_TRUE(l.captions()[1].find("141.08") != std::string::npos) << l.captions()[1];
}

struct StepCase {
  const char* name;
  const char* key;
  int times;
  double arc;  // world units along the face, signed (up: +)
};

class FaceSteps : public testing::TestWithParam<StepCase> {};

TEST_P(FaceSteps, MoveAlongTheFaceByArcLength) {
  const StepCase& c = GetParam();
  StartedLab l;
  l.key(keyOf("L"), false, false);
  const OnFace before = onFace(l);
  for (int i = 0; i < c.times; ++i) l.key(keyOf(c.key), false, false);
  const OnFace after = onFace(l);
  const double radius = l.scene().lens().First.Radius;
  EXPECT_NEAR((after.u - before.u) * radius, c.arc, 0.01);
  // The marker itself stands on the face (within Single's rounding).
  const lab::ShapeCentre m = lab::CentreOf(l.controls().shmeio);
  EXPECT_NEAR(m.x, after.x, 1e-3);
  EXPECT_NEAR(m.y, after.y, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Keys, FaceSteps,
                         testing::Values(StepCase{"up", "]", 3, 3}, StepCase{"down", "[", 4, -4},
                                         StepCase{"shiftUp", "Shift+]", 2, 20}, StepCase{"braceDown", "{", 1, -10}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(FaceKeys, StepsStopAtTheRim) {
  StartedLab l;
  for (int i = 0; i < 40; ++i) l.key(keyOf("Shift+]"), false, false);
  const optics::Lens& lens = l.scene().lens();
  EXPECT_NEAR(onFace(l).u, optics::RimParameter(lens.First, lens.HalfAperture), 1e-5);
}

TEST(FaceKeys, AlongTheMirrorInTheMirrorScene) {
  StartedLab l;
  std::optional<optics::MirrorDesign> d;
  ASSERT_EQ(lab::ReadMirror("concave,r=300", d), "");
  ASSERT_EQ(l.setMirror(d), "");
  const optics::Mirror& m = l.mirror()->mirror;
  const auto point = [&] {
    const lab::ShapeCentre c = lab::CentreOf(l.controls().shmeio);
    return m.at(core::NearestParameter(m, c.x, c.y));
  };
  l.key(keyOf("L"), false, false);
  const optics::MirrorPoint a = point();
  for (int i = 0; i < 5; ++i) l.key(keyOf("]"), false, false);
  const optics::MirrorPoint b = point();
  // On a circle of radius 300 five units of arc are a chord of nearly five.
  EXPECT_NEAR(optics::Distance(a.X, a.Y, b.X, b.Y), 5, 0.01);
  EXPECT_GT(b.Y, a.Y);
}

// The journal replays the keys to the same markers and labels.
TEST(FaceKeys, AScriptReplaysThem) {
  StartedLab l;
  for (const char* k : {"L", "]", "Shift+[", "[", "M", "Up"}) l.key(keyOf(k), false, false);
  StartedLab replay;
  for (const char* k : {"key=L", "key=]", "key=Shift+[", "key=[", "key=M", "key=Up"}) {
    std::vector<lab::Action> actions;
    ASSERT_EQ(lab::ParseAction(k, actions), "") << k;
    for (const lab::Action& a : actions) lab::RunAction(replay, a, nullptr);
  }
  EXPECT_EQ(replay.captions(), l.captions());
  EXPECT_EQ(stateText(replay), stateText(l));
}

}  // namespace
