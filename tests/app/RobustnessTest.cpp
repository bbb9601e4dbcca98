// Nothing a user does may stop the program or put a non-finite number on the
// canvas or in a label: chosen awkward inputs first, then seeded random
// sessions of every kind of input, checked after every single action.
#include "TestWindow.h"

#include "app/Actions.h"
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

namespace {

using testing_support::TestWindow;
using app::Action;
using Kind = Action::Kind;

// A session's window: small, so that thousands of sessions stay quick.
constexpr QSize kSessionSize{640, 400};

// What must hold after every action; empty when all is well.
std::string violation(TestWindow& t, int refusedBefore) {
  canvas::Form& f = t.form();
  const canvas::Canvas& c = f.canvas;
  if (c.refusedOperations() != refusedBefore) return "an operation with a non-finite number reached the canvas";
  for (const canvas::Label* l : {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6}) {
    const QString text = l->Caption().toLower();
    if (text.contains("nan") || text.contains("inf") || text.contains(QStringLiteral("—"))) {
      return "label shows " + l->Caption().toStdString();
    }
  }
  if (c.DrawWidth != 1 || c.DrawStyle != 0 || (c.FillStyle != 0 && c.FillStyle != 1)) {
    return "drawing state left at DrawWidth " + std::to_string(c.DrawWidth) + ", DrawStyle " +
           std::to_string(c.DrawStyle) + ", FillStyle " + std::to_string(c.FillStyle);
  }
  if (c.FillColor != numeric::kOlive || c.ForeColor != canvas::kBlack) return "fill or fore colour changed";
  if (t.w().DraggingPoint && t.w().DraggingSource) return "both markers dragged at once";
  for (const canvas::Shape* s : {&f.kyklos, &f.shmeio}) {
    const scene::ShapeCentre p = scene::CentreOf(*s);
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return "a marker lost its position";
  }
  return {};
}

std::string replayLine(const std::vector<Action>& actions, std::size_t upTo) {
  std::ostringstream out;
  out << "fermat-lens --print-labels --size " << kSessionSize.width() << "x" << kSessionSize.height();
  for (std::size_t i = 0; i <= upTo && i < actions.size(); ++i) out << " " << app::ActionText(actions[i]);
  return out.str();
}

// Runs the actions on a fresh window; reports the first violation with the
// command line that replays it.
::testing::AssertionResult survives(const std::vector<Action>& actions) {
  TestWindow t(kSessionSize);
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const int refused = t.canvas().refusedOperations();
    app::RunAction(t.w(), actions[i]);
    t.canvas().clearLog();
    if (const std::string v = violation(t, refused); !v.empty()) {
      return ::testing::AssertionFailure() << v << " after action " << i << "; replay with:\n  "
                                           << replayLine(actions, i);
    }
  }
  return ::testing::AssertionSuccess();
}

Action point(Kind k, float x, float y) { return Action{.kind = k, .x = x, .y = y}; }
Action value(Kind k, int v) { return Action{.kind = k, .value = v}; }

struct AwkwardCase {
  const char* name;
  std::vector<Action> actions;
};

std::vector<Action> withEveryButton(std::vector<Action> a) {
  for (int b = 1; b <= 5; ++b) a.push_back(value(Kind::Press, b));
  a.push_back(value(Kind::Time, 100));
  return a;
}

class AwkwardInput : public ::testing::TestWithParam<AwkwardCase> {};

TEST_P(AwkwardInput, LeavesTheProgramRunningWithFiniteDrawings) { EXPECT_TRUE(survives(GetParam().actions)); }

INSTANTIATE_TEST_SUITE_P(
    Cases, AwkwardInput,
    ::testing::Values(
        AwkwardCase{"releaseWithoutPress", withEveryButton({point(Kind::MouseUp, 0, 0)})},
        AwkwardCase{"pressOutsideTheFrame", withEveryButton({point(Kind::MouseDown, 1e6f, -1e6f),
                                                             point(Kind::MouseMove, 3, 4),
                                                             point(Kind::MouseUp, 3, 4)})},
        AwkwardCase{"dragEndsFarBeyondTheWindow", withEveryButton({point(Kind::Source, -3e7f, 2e7f)})},
        AwkwardCase{"sourceOnTheAxisLeft", withEveryButton({point(Kind::Source, -300, 0), value(Kind::Rays, 2)})},
        AwkwardCase{"sourceInsideTheLens", withEveryButton({point(Kind::Source, 0, 0)})},
        AwkwardCase{"sourceOnTheEntrySurface", withEveryButton({point(Kind::Source, -15, 0)})},
        AwkwardCase{"sourceRightOfTheLens", withEveryButton({point(Kind::Source, 200, 30)})},
        AwkwardCase{"sourceOnTheEntryPoint", withEveryButton({point(Kind::Entry, -100, 10),
                                                              point(Kind::Source, -100, 10)})},
        AwkwardCase{"sourceFarOffTheAxis", withEveryButton({point(Kind::Source, -20, 200),
                                                            value(Kind::Height, 99)})},
        AwkwardCase{"entryOnTheTarget", withEveryButton({point(Kind::Entry, 16.8f, 0)})},
        AwkwardCase{"extremeBars", withEveryButton({value(Kind::Height, -99), value(Kind::Rays, 100),
                                                    value(Kind::Time, 5), value(Kind::Height, 99)})}),
    testing_support::ByName{});

// A random session: drags of either marker from anywhere to anywhere (off the
// frame, onto the lens, onto the other marker), stray presses, moves and
// releases, every bar over its whole range and every button.
std::vector<Action> randomSession(std::uint32_t seed, int length) {
  std::mt19937 rng(seed);
  auto uniform = [&](double lo, double hi) { return static_cast<float>(std::uniform_real_distribution<>(lo, hi)(rng)); };
  auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  // Places worth landing on, besides anywhere at all.
  auto somewhere = [&]() -> std::pair<float, float> {
    switch (integer(0, 7)) {
      case 0: return {uniform(-2000, 2000), uniform(-2000, 2000)};  // far off the frame
      case 1: return {uniform(-15, 15), uniform(-72, 72)};          // on or in the lens
      case 2: return {-15.0f, 0.0f};                                // the first surface's vertex
      case 3: return {uniform(-400, -20), 0.0f};                    // on the axis, left of the lens
      case 4: return {uniform(-60, 0), uniform(-120, 120)};         // close to the lens, off the axis
      default: return {uniform(-330, 330), uniform(-200, 200)};     // inside the frame
    }
  };
  std::vector<Action> out;
  while (static_cast<int>(out.size()) < length) {
    const auto [x, y] = somewhere();
    switch (integer(0, 11)) {
      case 0: out.push_back(point(Kind::Source, x, y)); break;
      case 1: out.push_back(point(Kind::Entry, x, y)); break;
      case 2: out.push_back(point(Kind::MouseDown, x, y)); break;
      case 3: out.push_back(point(Kind::MouseMove, x, y)); break;
      case 4: out.push_back(point(Kind::MouseUp, x, y)); break;
      case 5: out.push_back(value(Kind::Height, integer(-99, 99))); break;
      case 6: out.push_back(value(Kind::Rays, integer(2, 100))); break;
      case 7: out.push_back(value(Kind::Time, integer(5, 100))); break;
      default: out.push_back(value(Kind::Press, integer(1, 5))); break;
    }
  }
  return out;
}

int sessionCount() {
  // FERMAT_SESSIONS asks for a longer (or, in slow builds, shorter) run.
  if (const char* n = std::getenv("FERMAT_SESSIONS")) return std::max(1, std::atoi(n));
  return 2000;
}

// The sessions are split over a few test cases so that CTest can run them in parallel.
class RandomSessions : public ::testing::TestWithParam<int> {};
constexpr int kShards = 4;

TEST_P(RandomSessions, NeverPutANonFiniteNumberOnTheCanvasOrInALabel) {
  const int total = sessionCount();
  for (int s = GetParam(); s < total; s += kShards) {
    const auto seed = static_cast<std::uint32_t>(s);
    ASSERT_TRUE(survives(randomSession(seed, 50))) << "session seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomSessions, ::testing::Range(0, kShards));

TEST(RandomSessions, ActionsReadBackFromTheirCommandLineText) {
  const std::vector<Action> actions = randomSession(7, 200);
  std::vector<std::string> args;
  for (const Action& a : actions) args.push_back(app::ActionText(a));
  const app::Parsed p = app::ParseCommandLine(args);
  ASSERT_TRUE(p.options) << p.error;
  ASSERT_EQ(p.options->actions.size(), actions.size());
  for (std::size_t i = 0; i < actions.size(); ++i) {
    EXPECT_EQ(p.options->actions[i].kind, actions[i].kind);
    EXPECT_EQ(p.options->actions[i].x, actions[i].x);
    EXPECT_EQ(p.options->actions[i].y, actions[i].y);
    EXPECT_EQ(p.options->actions[i].value, actions[i].value);
  }
}

}  // namespace
