// Nothing a user does may stop the program or put a non-finite number on the
// canvas or in a label: chosen awkward inputs first, then seeded random
// sessions of every kind of input, checked after every single action.
#include "Sessions.h"
#include "TestWindow.h"

#include "cli/Actions.h"
#include "cli/CommandLine.h"
#include "window/LiveLab.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdlib>
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
  const lab::Surface& c = t.surface();
  if (c.refusedOperations() != refusedBefore) return "an operation with a non-finite number reached the surface";
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
  if (t.w().lab().DraggingPoint && t.w().lab().DraggingSource) return "both markers dragged at once";
  if (t.w().lab().playing()) return "the time sweep still runs after the action settled";
  for (const canvas::ScrollBar* b : {&f.thesiy, &f.arithmosaktinon, &f.xronosmetato}) {
    if (b->bar()->isSliderDown()) return "a thumb stayed held";
  }
  for (const canvas::Shape* s : {&f.kyklos, &f.shmeio}) {
    const lab::ShapeCentre p = testing_support::CentreOf(*s);
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return "a marker lost its position";
  }
  return {};
}

std::string replayLine(const std::vector<Action>& actions, QSize size) {
  std::ostringstream out;
  out << "fermat-lens --print-labels --size " << size.width() << "x" << size.height();
  for (const Action& a : actions) out << " " << app::ActionText(a);
  return out.str();
}

// Runs the actions on a fresh window, each as the single inputs a user makes
// for it; reports the first violation with the command line that replays it.
::testing::AssertionResult survives(const std::vector<Action>& actions, QSize size = kSessionSize) {
  TestWindow t(size);
  std::vector<Action> done;
  for (std::size_t i = 0; i < actions.size(); ++i) {
    for (const Action& input : testing_support::AsUserInput(t.w(), actions[i])) {
      const int refused = t.surface().refusedOperations();
      app::RunAction(t.w(), input);
      done.push_back(input);
      t.surface().clearLog();
      if (const std::string v = violation(t, refused); !v.empty()) {
        return ::testing::AssertionFailure() << v << " after action " << i << "; replay with:\n  "
                                             << replayLine(done, size);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

Action point(Kind k, float x, float y) { return Action{.kind = k, .x = x, .y = y}; }
Action value(Kind k, int v) { return Action{.kind = k, .value = v}; }
Action key(const char* text) { return value(Kind::Key, *app::ParseKey(text)); }

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
                                                    value(Kind::Time, 5), value(Kind::Height, 99)})},
        AwkwardCase{"thumbsToTheirEnds", withEveryButton({value(Kind::DragHeight, -99), value(Kind::DragRays, 100),
                                                          value(Kind::DragTime, 100), value(Kind::DragHeight, 99)})},
        AwkwardCase{"playFromTheEnd", withEveryButton({value(Kind::Time, 100), Action{.kind = Kind::Play}})},
        AwkwardCase{"keysPushTheSourceIntoTheLens",
                    withEveryButton({point(Kind::Source, -30, 0), key("Shift+Right"), key("Shift+Right"),
                                     key("Right"), key("Ctrl+5"), key("Space")})},
        AwkwardCase{"liveMoveFarOffWithoutRelease",
                    {point(Kind::Source, -200, 0), point(Kind::MouseDown, -200, 0), point(Kind::MouseMove, 1e6f, -1e6f),
                     point(Kind::MouseMove, -15, 0), value(Kind::DragTime, 50), key("Up")}}),
    testing_support::ByName{});

// Every client size the program takes, up to 1000 pixels a side, in steps of
// odd numbers of pixels (so that odd and even sizes, and every frame scale
// between, come up), with actions that draw every kind of operation: lines
// thin and wide, dashed and dotted, filled and hollow circles, arcs, dots and
// the flood fill. Markers and circles that lie partly or wholly beside the
// picture at a size are what this is for. One case a width, so CTest can run
// them in parallel.
class ClientSizes : public ::testing::TestWithParam<int> {};

TEST_P(ClientSizes, DrawEveryKindOfOperationAtEveryHeight) {
  const std::vector<Action> actions = {
      point(Kind::Entry, -20, 40), value(Kind::Press, 1), value(Kind::Press, 2), value(Kind::Press, 3),
      value(Kind::Press, 4),       value(Kind::Press, 5), value(Kind::Time, 100), point(Kind::Source, -40, 90),
      value(Kind::Height, 99),     value(Kind::Press, 5), point(Kind::Source, -390, -300), value(Kind::Press, 2),
      value(Kind::Press, 3)};
  const int width = GetParam();
  for (int height = 150; height <= 1000; height += 19) {
    ASSERT_TRUE(survives(actions, QSize(width, height))) << "client " << width << "x" << height;
  }
  // The two sizes found to write past the picture once.
  if (width == 200) {
    EXPECT_TRUE(survives({point(Kind::Entry, -20, 40)}, QSize(390, 816)));
    EXPECT_TRUE(survives({value(Kind::Press, 2), value(Kind::Press, 3), value(Kind::Press, 5)}, QSize(480, 1000)));
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, ClientSizes, ::testing::Range(200, 1001, 29));

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
    ASSERT_TRUE(survives(testing_support::RandomSession(seed, 50))) << "session seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomSessions, ::testing::Range(0, kShards));

TEST(RandomSessions, ActionsReadBackFromTheirCommandLineText) {
  const std::vector<Action> actions = testing_support::RandomSession(7, 200);
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
