// A time-slider change that reuses the last bundle continuation must be
// indistinguishable from one that computes it anew: the same operations in
// the same order, the same labels, the same message boxes at the same moment.
#include "Sessions.h"
#include "TestWindow.h"
#include "WindowState.h"

#include "cli/Actions.h"
#include "core/BundleContinuation.h"
#include "core/Inputs.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using app::Action;
using testing_support::TestWindow;

constexpr QSize kSize{640, 400};

// Two windows given the same input, one reusing continuations, one not.
struct Twins {
  TestWindow reusing{kSize}, computing{kSize};
  Twins() { computing.w().setReuseContinuations(false); }
  void run(const Action& a) {
    app::RunAction(reusing.w(), a);
    app::RunAction(computing.w(), a);
  }
  // Everything a complete action defines, and the whole operation log.
  [[nodiscard]] std::string difference() {
    if (const std::string d =
            testing_support::difference(testing_support::stateOf(reusing), testing_support::stateOf(computing));
        !d.empty()) {
      return d;
    }
    if (reusing.log().size() != computing.log().size()) return "length of the operation log";
    return {};
  }
};

// Random sessions with a time-slider change after every action, so that most
// changes find a continuation to reuse and many find the picture of one.
class ReusedSliderChange : public ::testing::TestWithParam<int> {};

TEST_P(ReusedSliderChange, EqualsAFullRecomputation) {
  const auto seed = static_cast<std::uint32_t>(GetParam());
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> time(5, 100);
  Twins t;
  for (const Action& a : testing_support::RandomSession(seed, 25)) {
    for (const Action& step : {a, Action{.kind = Action::Kind::Time, .value = time(rng)},
                               Action{.kind = Action::Kind::Time, .value = time(rng)}}) {
      t.run(step);
      if (t.reusing.w().lab().DraggingPoint || t.reusing.w().lab().DraggingSource) continue;
      ASSERT_EQ(t.difference(), "") << "after " << app::ActionText(step) << " of session " << seed;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sessions, ReusedSliderChange, ::testing::Range(0, 12));

// What a slider change shows comes from the stored continuation while its
// source, ray count and frame stand; a drag of the source makes it compute anew.
TEST(ReusedSliderChange, ShowsTheStoredContinuationUntilItsInputsChange) {
  TestWindow t(kSize);
  t.dragSource(-230, 25);
  app::RunAction(t.w(), {.kind = Action::Kind::Press, .value = 5});
  const QString computed = t.form().Label4.Caption();
  ASSERT_FALSE(computed.isEmpty());

  // Mark the stored result: its last index caption now reads 7.
  core::BundleContinuationResult c = *t.w().model().bundleContinuation();
  core::BundleWavelets w = *t.w().model().bundleWavelets();
  bool marked = false;
  for (auto op = c.Construction.ops.rbegin(); op != c.Construction.ops.rend() && !marked; ++op) {
    if (op->kind == core::DrawOp::Kind::Caption && op->caption == core::Caption::BundleIndex) op->a = 7, marked = true;
  }
  ASSERT_TRUE(marked);
  t.w().model().setBundleContinuation(std::move(c), std::move(w));

  for (int v : {40, 41, 40}) {
    app::RunAction(t.w(), {.kind = Action::Kind::Time, .value = v});
    EXPECT_EQ(t.form().Label4.Caption(), QStringLiteral("n = 7.000")) << "time " << v;
  }
  t.dragSource(-230, 25.5f);
  app::RunAction(t.w(), {.kind = Action::Kind::Time, .value = 42});
  EXPECT_NE(t.form().Label4.Caption(), QStringLiteral("n = 7.000"));
}

// After "SHOW FIRST CIRLCES AFTER LENS" the last bundle has first wavelets; a
// slider change that replays the stored continuation makes that continuation
// the last bundle again, without them, as a recomputing change does. Graphs
// and exports read the last bundle and its wavelets from the model.
TEST(ReusedSliderChange, AfterTheFirstCirclesLeavesTheModelAsARecomputation) {
  Twins t;
  for (const int press : {5, 3}) t.run({.kind = Action::Kind::Press, .value = press});
  ASSERT_TRUE(t.reusing.w().model().wavelets().has_value());
  t.run({.kind = Action::Kind::Time, .value = 40});
  ASSERT_EQ(t.difference(), "");
  for (TestWindow* w : {&t.reusing, &t.computing}) {
    const app::SceneModel& m = w->w().model();
    EXPECT_FALSE(m.wavelets().has_value()) << (w == &t.reusing ? "reusing" : "computing");
    ASSERT_TRUE(m.bundle() && m.bundleContinuation() && m.bundleWavelets());
    EXPECT_EQ(m.bundleWavelets()->Slider, 40);
    ASSERT_EQ(m.bundle()->Rays.size(), m.bundleContinuation()->Bundle.Rays.size());
    for (std::size_t i = 0; i < m.bundle()->Rays.size(); ++i)
      EXPECT_TRUE(m.bundle()->Rays[i].Continued == m.bundleContinuation()->Bundle.Rays[i].Continued &&
                  m.bundle()->Rays[i].RedLine.x2 == m.bundleContinuation()->Bundle.Rays[i].RedLine.x2)
          << "ray " << i;
  }
}

// The window shows a reused picture, not the one it showed before: the smooth
// view paints a drawing put back in one step afresh.
TEST(ReusedSliderChange, ShowsTheNewPictureInTheWindow) {
  Twins t;
  for (const int v : {30, 31, 60}) {
    t.run({.kind = Action::Kind::Time, .value = v});
    ASSERT_EQ(t.difference(), "") << "time " << v;
    // The drawing as the window shows it. The captions are compared above; their
    // anti-aliased halo may differ by a pixel between a window's first and
    // later paints, which says nothing of the drawing under them.
    for (TestWindow* w : {&t.reusing, &t.computing}) {
      canvas::Form& f = w->form();
      for (canvas::Label* l : {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6}) l->widget()->hide();
    }
    EXPECT_TRUE(t.reusing.form().snapshot() == t.computing.form().snapshot()) << "time " << v;
    for (TestWindow* w : {&t.reusing, &t.computing}) {
      canvas::Form& f = w->form();
      for (canvas::Label* l : {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6}) l->widget()->show();
    }
  }
}

// A continuation whose searches failed raises its message box again on every
// reuse, between the same two operations as when it was computed.
TEST(ReusedSliderChange, RaisesTheMessagesOfTheStoredContinuationAgain) {
  Twins t;
  for (TestWindow* w : {&t.reusing, &t.computing}) {
    w->dragSource(-250, -10);
    app::RunAction(w->w(), {.kind = Action::Kind::Time, .value = 30});
  }
  // Both windows hold a continuation for these inputs; give the reusing one a
  // failed search in the middle of its construction.
  std::vector<std::size_t> opened;
  t.reusing.form().setMessageHandler([&](const QString& text) {
    t.reusing.messages.push_back(text);
    opened.push_back(t.reusing.log().size());
  });
  core::BundleContinuationResult c = *t.reusing.w().model().bundleContinuation();
  core::BundleWavelets w = *t.reusing.w().model().bundleWavelets();
  const std::size_t at = c.Construction.ops.size() / 2;
  c.Construction.ops.insert(c.Construction.ops.begin() + static_cast<std::ptrdiff_t>(at),
                            core::DrawOp{.kind = core::DrawOp::Kind::Message, .text = "δε βρέθηκε"});
  t.reusing.w().model().setBundleContinuation(std::move(c), std::move(w));

  std::vector<std::size_t> logBefore;
  for (int v : {31, 32, 33}) {
    logBefore.push_back(t.reusing.log().size());
    app::RunAction(t.reusing.w(), {.kind = Action::Kind::Time, .value = v});
  }
  ASSERT_EQ(t.reusing.messages.size(), 3u);
  for (std::size_t k = 1; k < opened.size(); ++k) {
    EXPECT_EQ(opened[k] - logBefore[k], opened[0] - logBefore[0]) << "the box opens at the same point each time";
  }
  EXPECT_GT(opened[0] - logBefore[0], 3u) << "after the static scene, in the middle of the construction";
}

}  // namespace
