// One sequencer of scripted actions (lab::ActionSteps) behind the three
// drivers: the window's widgets (app::RunAction), fermat-lab's lab
// (lab::RunAction) and the page's module (web::WebLab::run, compiled natively
// here). For one script each leaves the same labels, messages, picture,
// journal and graph data.
#include "Sessions.h"
#include "TestWindow.h"
#include "WebLab.h"
#include "cli/Actions.h"
#include "lab/ActionSteps.h"
#include "lab/Run.h"
#include "lab/SetupRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using testing_support::TestWindow;

// What a driver leaves, in the words all three can give.
struct State {
  std::vector<std::string> messages;
  std::string labels, setup, curve, bundle;
  std::vector<double> items;  // the record since the last clear, as WebLab::items spells it
  bool operator==(const State&) const = default;
};

std::vector<double> itemsOf(const lab::Lab& l) {
  std::vector<double> out;
  for (const lab::Item& it : l.surface().record().items()) {
    const lab::Op& op = it.op;
    out.insert(out.end(), {static_cast<double>(op.kind), op.x1, op.y1, op.x2, op.y2, op.r, op.start, op.end,
                           static_cast<double>(op.color & 0xffffffu), static_cast<double>(op.width),
                           static_cast<double>(op.style), op.fill ? static_cast<double>(*op.fill & 0xffffffu) : -1.0,
                           static_cast<double>(it.frame)});
  }
  return out;
}

State stateOf(const lab::Lab& l, std::vector<std::string> messages) {
  return {std::move(messages), lab::LabelLines(l), lab::SetupJson(lab::CurrentSetup(l)), lab::CurveFile(l),
          lab::BundleFile(l), itemsOf(l)};
}

State throughTheWindow(const std::vector<std::string>& words) {
  TestWindow t;
  for (const std::string& w : words) {
    std::vector<lab::Action> a;
    EXPECT_EQ(lab::ParseAction(w, a), "");
    app::RunAction(t.w(), a.front());
  }
  std::vector<std::string> messages;
  for (const QString& m : t.messages) messages.push_back(m.toStdString());
  return stateOf(t.w().lab(), messages);
}

State throughTheLab(const std::vector<std::string>& words) {
  lab::Lab l({1280, 800});
  l.buildScene();
  std::vector<std::string> messages;
  for (const std::string& w : words) {
    std::vector<lab::Action> a;
    EXPECT_EQ(lab::ParseAction(w, a), "");
    lab::RunAction(l, a.front(), [&](const std::string& text) { messages.push_back(text); });
  }
  return stateOf(l, messages);
}

State throughTheModule(const std::vector<std::string>& words) {
  web::WebLab page(1280, 800);
  std::vector<std::string> messages;
  for (const std::string& w : words) {
    EXPECT_EQ(page.run(w), "") << w;
    // The page's OK, pressed at once.
    while (page.busy()) {
      messages.push_back(page.message());
      page.dismissMessage();
    }
  }
  return {messages,           page.labelLines(), page.setupJson(), page.curveCsv(),
          page.bundleCsv(),   page.items(0)};
}

struct Script {
  const char* name;
  std::vector<std::string> words;
};

class OneSequencer : public ::testing::TestWithParam<Script> {};

TEST_P(OneSequencer, LeavesTheSameStateThroughEveryDriver) {
  const std::vector<std::string>& words = GetParam().words;
  const State lab = throughTheLab(words);
  const State window = throughTheWindow(words);
  const State module = throughTheModule(words);
  EXPECT_EQ(window.messages, lab.messages);
  EXPECT_EQ(window.labels, lab.labels);
  EXPECT_EQ(window.setup, lab.setup);
  EXPECT_EQ(window.curve, lab.curve);
  EXPECT_EQ(window.bundle, lab.bundle);
  EXPECT_EQ(window.items, lab.items);
  EXPECT_TRUE(module == lab) << "the page's module: messages " << module.messages.size() << " against "
                             << lab.messages.size() << ", labels\n"
                             << module.labels << "against\n"
                             << lab.labels;
  // The script did something: its picture is more than the start-up's.
  EXPECT_FALSE(lab.items.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, OneSequencer,
    ::testing::Values(
        // Thumbs from one value to the next (a path that stays put on its
        // first steps), to the far end and back where they stood.
        Script{"thumbs", {"press=2", "drag-rays=11", "drag-rays=40", "press=5", "drag-time=60", "drag-time=60",
                          "drag-height=-30", "drag-height=0"}},
        // Messages in the middle of a group: the continuation's rising ray,
        // then the same through the key.
        Script{"messages", {"source=-300,0", "height=30", "press=4", "key=Ctrl+4", "press=3", "drag-height=35"}},
        // Marker drags, raw events, the arrows after choosing the marker,
        // Play and Space, a lens and a reset.
        Script{"markersKeysPlay", {"source=-200,40", "entry=-14,30", "down=-200,40", "move=-190,20", "up=-190,20",
                                   "active=entry", "key=Shift+Up", "key=Left", "press=5", "time=95", "key=Space",
                                   "play", "lens=preset=crown", "press=1", "reset", "press=2"}}),
    testing_support::ByName{});

// A random session of every kind of action, through all three.
TEST(OneSequencer, RandomSessionsAgree) {
  for (std::uint32_t seed : {7u, 19u}) {
    std::vector<std::string> words;
    for (const lab::Action& a : testing_support::RandomSession(seed, 14)) words.push_back(lab::ActionText(a));
    SCOPED_TRACE(seed);
    const State lab = throughTheLab(words);
    EXPECT_TRUE(throughTheWindow(words) == lab);
    EXPECT_TRUE(throughTheModule(words) == lab);
  }
}

// The challenge through the three drivers: started, guessed, revealed, then
// more inputs. Each driver only starts, reveals and forwards the inputs; the
// rounds are the lab's, so all three must agree after the reveal and after
// the inputs that follow it.
struct ChallengeState {
  bool on = false;
  int tries = 0;
  std::string answer;  // ChallengeText of the answer shown; empty: none
  bool operator==(const ChallengeState&) const = default;
};

std::ostream& operator<<(std::ostream& os, const ChallengeState& c) {
  return os << (c.on ? "on" : "off") << ", " << c.tries << " tries, answer \"" << c.answer << "\"";
}

ChallengeState challengeOf(const lab::Lab& l) {
  const lab::Challenge& c = l.challenge();
  return {c.on(), c.tries(l), c.revealed() ? lab::ChallengeText(*c.revealed()) : std::string()};
}

ChallengeState challengeOf(const std::string& json) {
  const nlohmann::json j = nlohmann::json::parse(json);
  return {j.at("on").get<bool>(), j.at("tries").get<int>(),
          j.at("revealed").is_null() ? std::string() : j.at("revealed").at("text").get<std::string>()};
}

struct ChallengeScript {
  const char* name;
  std::vector<std::string> guesses, after;
  bool newRound;  // the inputs after the reveal begin a new round
};

// The state after the reveal and after the inputs that follow it.
using Rounds = std::pair<ChallengeState, ChallengeState>;

template <class Run, class State>
Rounds rounds(const ChallengeScript& k, Run run, State state, std::function<void()> reveal) {
  for (const std::string& w : k.guesses) run(w);
  reveal();
  const ChallengeState revealed = state();
  for (const std::string& w : k.after) run(w);
  return {revealed, state()};
}

std::vector<lab::Action> parsed(const std::string& w) {
  std::vector<lab::Action> a;
  EXPECT_EQ(lab::ParseAction(w, a), "");
  return a;
}

class ChallengeRounds : public ::testing::TestWithParam<ChallengeScript> {};

TEST_P(ChallengeRounds, AreTheLabsThroughEveryDriver) {
  const ChallengeScript& k = GetParam();
  lab::Lab l({1280, 800});
  l.buildScene();
  l.challenge().start(l);
  const Rounds byLab = rounds(
      k, [&](const std::string& w) { lab::RunAction(l, parsed(w).front(), [](const std::string&) {}); },
      [&] { return challengeOf(l); }, [&] { (void)l.challenge().reveal(l); });

  TestWindow t;
  t.w().startChallenge();
  const Rounds byWindow = rounds(
      k, [&](const std::string& w) { app::RunAction(t.w(), parsed(w).front()); },
      [&] { return challengeOf(t.w().lab()); }, [&] { (void)t.w().revealChallenge(); });

  web::WebLab page(1280, 800);
  page.challengeStart();
  auto pageRun = [&](const std::string& w) {
    EXPECT_EQ(page.run(w), "") << w;
    while (page.busy()) page.dismissMessage();
  };
  const Rounds byPage =
      rounds(k, pageRun, [&] { return challengeOf(page.challenge()); }, [&] { (void)page.challengeReveal(); });

  ASSERT_FALSE(byLab.first.answer.empty()) << "revealed";
  EXPECT_EQ(byLab.first.tries, static_cast<int>(k.guesses.size()));
  if (k.newRound) {
    EXPECT_EQ(byLab.second.answer, "") << "a new round shows no answer";
    EXPECT_LE(byLab.second.tries, 1) << "tries count from the input that began the round";
  } else {
    EXPECT_EQ(byLab.second, byLab.first) << "the answer holds while nothing it depends on moved";
  }
  EXPECT_EQ(byWindow.first, byLab.first);
  EXPECT_EQ(byWindow.second, byLab.second);
  EXPECT_EQ(byPage.first, byLab.first);
  EXPECT_EQ(byPage.second, byLab.second);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ChallengeRounds,
    ::testing::Values(
        // The entry point moved after the reveal: that move is the new round's first try.
        ChallengeScript{"entryMoves", {"entry=-20,30", "entry=-15,10"}, {"entry=-18,20"}, true},
        ChallengeScript{"heightMoves", {"entry=-20,30"}, {"height=30"}, true},
        ChallengeScript{"sourceMoves", {"entry=-20,30"}, {"source=-200,40", "entry=-15,12"}, true},
        // "position by Fermat" moves the entry point itself.
        ChallengeScript{"positionByFermat", {"entry=-20,30"}, {"press=1"}, true},
        // Drawing wavelets moves nothing: the answer stays.
        ChallengeScript{"wavelets", {"entry=-20,30", "entry=-10,-20"}, {"press=3", "press=2"}, false}),
    testing_support::ByName{});

// The steps of one action, counted: a thumb's groups are its moves, the
// release and the settling; a marker's drag is one group and the settling.
TEST(ActionSteps, ThumbAndMarkerGroups) {
  lab::Lab l({1280, 800});
  l.buildScene();
  lab::LabInputs in(l);
  struct Count {
    lab::Action action;
    int groups;
  };
  const Count counts[] = {{{.kind = lab::Action::Kind::DragRays, .value = 40}, 3 + 2},
                          {{.kind = lab::Action::Kind::DragRays, .value = 40}, 0 + 2},  // already there
                          {{.kind = lab::Action::Kind::Source, .x = -250, .y = 10}, 2},
                          {{.kind = lab::Action::Kind::Press, .value = 2}, 2}};
  for (const Count& c : counts) {
    lab::ActionSteps steps(c.action);
    int groups = 0;
    while (!steps.done()) {
      steps.runNext(in);
      ++groups;
    }
    EXPECT_EQ(groups, c.groups) << lab::ActionText(c.action);
  }
  EXPECT_EQ(l.controls().bar(lab::BarId::Rays).value, 40);
}

}  // namespace
