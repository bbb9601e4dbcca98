// The lab with a lens of the teacher's choice: the measured index of
// "position by Fermat", a change of lens as a fresh start that keeps the
// markers, refusals that change nothing, and the challenge's answer.
#include "LabTesting.h"

#include "lab/Format.h"
#include "lab/Keys.h"
#include "lab/LensText.h"
#include "lab/LensPanelRows.h"
#include "optics/Faces.h"
#include "lab/Lessons.h"
#include "lab/Run.h"
#include "optics/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using lab_testing::drag;
using lab_testing::sinceLastCls;
using lab_testing::StartedLab;
using lab_testing::stateText;
using lab::Marker;

// Over random indices (two decimals), sources and heights, with the standard
// shape and with the slab: the ratio of sines "position by Fermat" shows
// rounds to the lens's n.
TEST(PositionByFermat, ShowsAMeasuredIndexThatRoundsToTheLenssN) {
  std::mt19937 rng(20);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); };
  int checked = 0;
  for (int i = 0; i < 300; ++i) {
    StartedLab l;
    const double n = std::uniform_int_distribution<>(105, 400)(rng) / 100.0;
    optics::LensDesign design = i % 3 == 2 ? optics::LensPresets()[7].design : optics::LensDesign{};
    design.N = n;
    ASSERT_EQ(l.setLens(design), "");
    drag(l, Marker::Source, static_cast<float>(uniform(-300, -120)), static_cast<float>(uniform(-90, 90)));
    l.setBar(lab::BarId::Height, std::uniform_int_distribution<>(-60, 60)(rng));  // false when it stands there
    ASSERT_TRUE(l.click(1));
    const auto& f = l.results().fermat();
    ASSERT_TRUE(f && f->Found) << "n=" << n;
    // Near normal incidence the ratio is a quotient of two tiny sines.
    if (std::fabs(std::sin(f->Refraction)) < 0.05) continue;
    ++checked;
    EXPECT_EQ(l.captions()[3], "n  = " + lab::Format(n, "0.00")) << "n=" << n << " " << lab::LensText(design);
  }
  EXPECT_GT(checked, 200);
}

// A new lens draws the scene as a start-up with that lens would, keeps the
// markers and bars, and starts the session afresh.
TEST(ChangeOfLens, DrawsTheSceneAsAFreshStartAndKeepsTheMarkersAndBars) {
  for (const optics::LensPreset& p : optics::LensPresets()) {
    StartedLab l;
    drag(l, Marker::Source, -200, 40);
    drag(l, Marker::Entry, -20, 10);
    ASSERT_TRUE(l.setBar(lab::BarId::Height, -30));
    ASSERT_TRUE(l.setBar(lab::BarId::Rays, 25));
    ASSERT_TRUE(l.click(5));
    const lab::Placement before = l.placement();
    ASSERT_EQ(l.setLens(p.design), "") << p.key;
    EXPECT_EQ(l.placement(), before) << p.key;
    EXPECT_TRUE(l.journal().empty()) << p.key;
    EXPECT_EQ(l.startPlacement(), before) << p.key;
    EXPECT_FALSE(l.results().bundle()) << p.key;

    // The same lens and placement from a start.
    StartedLab fresh;
    ASSERT_EQ(fresh.setLens(p.design), "");
    fresh.restart(before);
    EXPECT_EQ(stateText(l), stateText(fresh)) << p.key;
    EXPECT_EQ(sinceLastCls(l), sinceLastCls(fresh)) << p.key;
    // Every button works for it: no caption shows a number that is not one.
    for (int b = 1; b <= 5; ++b) {
      ASSERT_TRUE(l.click(b)) << p.key << " button " << b;
      while (l.message()) l.dismissMessage();
      for (const std::string& c : l.captions()) {
        EXPECT_EQ(c.find("nan"), std::string::npos) << p.key << ": " << c;
        EXPECT_EQ(c.find("inf"), std::string::npos) << p.key << ": " << c;
      }
    }
    for (const lab::Op& op : l.surface().log()) {
      ASSERT_TRUE(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) && std::isfinite(op.y2) &&
                  std::isfinite(op.r))
          << p.key;
    }
  }
}

// Every prepared lens continues the bundle: most rays leave the glass and
// measure an index near the lens's own (a flat face's neighbours stand on
// one vertical, which the wavelets must still cross).
TEST(ChangeOfLens, EveryPresetContinuesTheBundle) {
  for (const optics::LensPreset& p : optics::LensPresets()) {
    StartedLab l;
    ASSERT_EQ(l.setLens(p.design), "");
    drag(l, Marker::Source, -250, 10);
    ASSERT_TRUE(l.click(5));
    while (l.message()) l.dismissMessage();
    const auto& c = l.results().bundleContinuation();
    ASSERT_TRUE(c) << p.key;
    int continued = 0;
    for (const core::BundleRay& ray : c->Bundle.Rays) {
      if (!ray.Continued || !ray.RatioDefined) continue;
      ++continued;
      EXPECT_NEAR(std::fabs(ray.Ratio), l.lens().SpeedOutside, 0.05) << p.key;
    }
    EXPECT_GE(continued, static_cast<int>(c->Bundle.Rays.size()) / 2) << p.key;
  }
}

// A lens that cannot exist, and any lens while a message is open, is refused
// and changes nothing at all.
TEST(ChangeOfLens, RefusedChangesNothing) {
  StartedLab l;
  drag(l, Marker::Source, -200, 40);
  ASSERT_TRUE(l.click(2));
  const std::string state = stateText(l);
  const std::vector<lab::Op> ops = l.surface().log();
  const auto revision = l.surface().record().revision();
  for (const char* bad : {"n=5", "r1=50", "thickness=0", "r1=200,r2=200,thickness=10,aperture=80"}) {
    optics::LensDesign design;
    ASSERT_EQ(lab::ParseLens(bad, design), "");
    EXPECT_NE(l.setLens(design), "") << bad;
    EXPECT_EQ(stateText(l), state) << bad;
    EXPECT_EQ(l.surface().log(), ops) << bad;
    EXPECT_EQ(l.surface().record().revision(), revision) << bad;
    EXPECT_EQ(l.lensDesign(), optics::LensDesign{}) << bad;
  }
}

// The challenge's answer is the point "position by Fermat" finds, with its
// time; the guess is the face's point nearest the marker, never faster.
TEST(Challenge, RevealsWhatPositionByFermatFinds) {
  std::mt19937 rng(7);
  auto uniform = [&](double a, double b) { return static_cast<float>(std::uniform_real_distribution<>(a, b)(rng)); };
  for (int i = 0; i < 60; ++i) {
    StartedLab l;
    if (i % 2 == 1) {
      ASSERT_EQ(l.setLens(optics::LensPresets()[static_cast<std::size_t>(i % 8)].design), "");
    }
    drag(l, Marker::Source, uniform(-300, -120), uniform(-80, 80));
    l.setBar(lab::BarId::Height, std::uniform_int_distribution<>(-50, 50)(rng));
    l.challenge().start(l);
    const int moves = 1 + i % 4;
    for (int k = 0; k < moves; ++k) drag(l, Marker::Entry, uniform(-40, 10), uniform(-60, 60));
    const lab::ChallengeReveal r = *l.challenge().reveal(l);
    // The answer holds while nothing moves.
    ASSERT_TRUE(l.challenge().revealed());
    EXPECT_EQ(r.tries, moves);
    const optics::Lens& lens = l.lens();
    EXPECT_DOUBLE_EQ(r.guessTime, optics::PathTime(r.sourceX, r.sourceY, r.guessX, r.guessY, r.targetX, r.targetY,
                                                   lens.SpeedOutside, lens.SpeedInside));
    // On the face: as far from the first face's centre as its radius, or on the flat face's line.
    if (lens.First.Flat) {
      EXPECT_EQ(r.guessX, lens.First.VertexX);
    } else {
      EXPECT_NEAR(optics::Distance(r.guessX, r.guessY, lens.First.CentreX, 0), lens.First.Radius, 1e-9);
    }
    ASSERT_TRUE(l.click(1));
    const auto& f = l.results().fermat();
    ASSERT_TRUE(f && f->Found && r.found);
    EXPECT_EQ(r.leastX, f->EntryX);
    EXPECT_EQ(r.leastY, f->EntryY);
    EXPECT_EQ(r.leastTime, f->Time);
    EXPECT_GE(r.timeGap, -1e-9) << "no guess is faster than the least time";
    EXPECT_DOUBLE_EQ(r.distance, optics::Distance(r.guessX, r.guessY, r.leastX, r.leastY));
    // "position by Fermat" moved the entry marker: the lab began a new round.
    EXPECT_FALSE(l.challenge().revealed());
    EXPECT_EQ(l.challenge().tries(l), 0);
  }
}

// A guess with the entry marker in the glass or in the air: the label's time
// (through the marker) may be below the least time, but the answer shows the
// guess's own time, through the face point it stands for, and names that
// point; it is never below the least time.
TEST(Challenge, ShowsTheTimeOfTheFacePointTheGuessStandsFor) {
  for (const auto& [x, y] : {std::pair{0.0f, 20.0f}, std::pair{5.0f, -35.0f}, std::pair{-60.0f, 30.0f}}) {
    StartedLab l;
    l.challenge().start(l);
    drag(l, Marker::Entry, x, y);
    const lab::ChallengeReveal r = *l.challenge().reveal(l);
    ASSERT_TRUE(r.found);
    EXPECT_GE(r.guessTime, r.leastTime - 1e-9) << "marker at " << x << "," << y;
    const std::vector<std::string> parts = lab::ChallengeParts(r);
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[1], "your guess enters at (" + lab::Format(r.guessX, "0.00") + ", " + lab::Format(r.guessY, "0.00") +
                            "), time " + lab::Format(r.guessTime, "0.00"));
    EXPECT_EQ(parts[2].rfind("least time " + lab::Format(r.leastTime, "0.00") + " at (", 0), 0u) << parts[2];
    std::string joined;
    for (const std::string& p : parts) joined += (joined.empty() ? "" : "; ") + p;
    EXPECT_EQ(lab::ChallengeText(r), joined);
  }
}

// The lab follows every input itself: after a reveal, a move of a marker or
// a bar begins a new round (no answer, tries counted from the move) with no
// view asking for it; an input that moves nothing keeps the answer.
TEST(Challenge, ANewRoundBeginsOnceTheSceneMovesWithoutAViewAskingForIt) {
  struct Move {
    const char* name;
    std::function<void(lab::Lab&)> input;
    int tries;  // after it: an entry move that begins the round is its first try
  };
  const std::vector<Move> moves{{"entry", [](lab::Lab& l) { drag(l, Marker::Entry, -12, 20); }, 1},
                                {"source", [](lab::Lab& l) { drag(l, Marker::Source, -240, 30); }, 0},
                                {"height", [](lab::Lab& l) { (void)l.setBar(lab::BarId::Height, 15); }, 0},
                                {"arrowOnTheEntry", [](lab::Lab& l) { (void)l.key(lab::keys::Up); }, 1},
                                {"reset", [](lab::Lab& l) { l.reset(); }, 0}};
  for (const bool live : {true, false}) {
  for (const auto& [name, move, after] : moves) {
    StartedLab l;
    l.setLive(live);
    l.challenge().start(l);
    drag(l, Marker::Entry, -20, 15);
    drag(l, Marker::Entry, -18, 10);
    ASSERT_TRUE(l.challenge().reveal(l)) << name;
    (void)l.click(2);  // draws, moves no marker and no bar: the answer stays
    while (l.message()) l.dismissMessage();
    ASSERT_TRUE(l.challenge().revealed()) << name;
    EXPECT_EQ(l.challenge().tries(l), 2) << name;
    move(l);
    EXPECT_FALSE(l.challenge().revealed()) << name << ": the old answer is still shown";
    EXPECT_EQ(l.challenge().tries(l), after) << name << (live ? " live" : " classic");
    drag(l, Marker::Entry, -16, 5);
    EXPECT_EQ(l.challenge().tries(l), after + 1) << name << (live ? " live" : " classic");
  }
  }
}

// Stopping ends the game: nothing of the last answer is left to show, read
// or reveal again, whether the scene moved since the reveal or not, and a
// new start hides the answer until its own reveal.
TEST(Challenge, StopLeavesNothingOfTheLastReveal) {
  for (const bool movedSince : {false, true}) {
    StartedLab l;
    drag(l, Marker::Source, -220, 30);
    l.challenge().start(l);
    drag(l, Marker::Entry, -20, 15);
    drag(l, Marker::Entry, -18, -10);
    ASSERT_TRUE(l.challenge().reveal(l));
    ASSERT_TRUE(l.challenge().revealed());
    if (movedSince) drag(l, Marker::Entry, -25, 5);
    l.challenge().stop();
    EXPECT_FALSE(l.challenge().on()) << movedSince;
    EXPECT_FALSE(l.challenge().revealed()) << movedSince;
    EXPECT_FALSE(l.challenge().reveal(l)) << movedSince << ": a reveal while off answers nothing";
    EXPECT_FALSE(l.challenge().revealed()) << movedSince;
    EXPECT_EQ(l.challenge().tries(l), 0) << movedSince;
    l.challenge().start(l);
    EXPECT_FALSE(l.challenge().revealed()) << movedSince;
    EXPECT_EQ(l.challenge().tries(l), 0) << movedSince;
  }
}

// Every lesson opens, with its lens, and leaves no message open.
TEST(Lessons, EveryLessonOpensWithItsLens) {
  for (const lab::Lesson& lesson : lab::Lessons()) {
    StartedLab l;
    ASSERT_EQ(lab::OpenLesson(l, lesson), "") << lesson.key;
    EXPECT_EQ(l.lensDesign(), lesson.lens) << lesson.key;
    EXPECT_FALSE(l.busy()) << lesson.key;
    EXPECT_EQ(l.journal().size(), lesson.actions.size() + 2 * std::count_if(lesson.actions.begin(),
                                                                           lesson.actions.end(), [](const char* a) {
                                                                             return std::string(a).starts_with("source");
                                                                           }))
        << lesson.key << ": a drag is written as its press, last move and release";
  }
}


// Each lesson's text is true to its first state: every button it asks to
// press is one the window shows and has not been pressed for it yet; a
// slider it asks to drag has something to move; an entry point it asks to
// drag onto the lens starts off it.
TEST(Lessons, EachTextIsTrueToTheFirstStateItOpensIn) {
  for (const lab::Lesson& lesson : lab::Lessons()) {
    StartedLab l;
    ASSERT_EQ(lab::OpenLesson(l, lesson), "") << lesson.key;
    const std::string task = lesson.task();
    const lab::Controls& c = l.controls();
    const lab::Results& r = l.results();
    for (std::size_t at = task.find("Press \""); at != std::string::npos; at = task.find("Press \"", at + 1)) {
      const std::size_t from = at + 7, to = task.find('"', from);
      const std::string caption = task.substr(from, to - from);
      int button = 0;
      for (const auto* b : {&c.Command1, &c.Command2, &c.Command3, &c.Command4, &c.Command5}) {
        ++button;
        if (b->caption() == caption) break;
        if (button == 5) button = 0;
      }
      ASSERT_NE(button, 0) << lesson.key << ": no button reads \"" << caption << "\"";
      const bool done = button == 1 ? r.fermat().has_value() || r.mirrorFermat().has_value()
                        : button == 2 && l.mirror() ? r.mirrorBundle().has_value()
                        : button == 4 ? r.rayContinuation().has_value()
                        : button == 5 ? r.bundleContinuation().has_value()
                        : button == 3 ? r.wavelets().has_value()
                                      : false;
      EXPECT_FALSE(done) << lesson.key << ": asks to press \"" << caption << "\" but opens with its answer drawn";
    }
    if (task.find("time slider") != std::string::npos) {
      EXPECT_TRUE(r.bundleContinuation().has_value()) << lesson.key << ": a time slider with no wavefront to move";
    }
    if (task.find("starts in the air") != std::string::npos) {
      const lab::ShapeCentre e = lab::CentreOf(c.shmeio);
      EXPECT_FALSE(optics::InGlass(l.lens(), e.x, e.y)) << lesson.key;
      EXPECT_LT(e.x, l.lens().First.VertexX) << lesson.key << ": the entry point does not start left of the lens";
    }
    if (task.find("χρόνος") != std::string::npos) {
      EXPECT_TRUE(task.find("Press \"position by Fermat\"") != std::string::npos)
          << lesson.key << ": \"χρόνος\" shows only after \"position by Fermat\"";
    }
  }
}

// A worksheet's caption names the lens and the lesson in force: a reset
// keeps the lesson, a new lens ends it.
TEST(PictureCaption, NamesTheLensAndTheLessonInForce) {
  StartedLab l;
  EXPECT_EQ(lab::PictureCaption(l), "Lens: " + lab::LensSummary(l.lensDesign(), l.lens()));
  const lab::Lesson& lifeguard = *lab::FindLesson("lifeguard");
  ASSERT_EQ(lab::OpenLesson(l, lifeguard), "");
  const std::string withLesson = lab::PictureCaption(l);
  EXPECT_EQ(withLesson, "Lens: " + lab::LensSummary(l.lensDesign(), l.lens()) + "; lesson: " + lifeguard.title());
  l.reset();
  EXPECT_EQ(lab::PictureCaption(l), withLesson);
  ASSERT_EQ(l.setLens(optics::LensPresets()[1].design), "");
  EXPECT_EQ(lab::PictureCaption(l).find("lesson"), std::string::npos) << lab::PictureCaption(l);
}

// A lesson starts from where a start-up puts the markers and bars, whatever
// the class did before: opened after moving both markers and every bar (and
// with another lens and a construction drawn), it shows exactly what it
// shows opened in a fresh lab.
TEST(Lessons, OpenAfterMovingTheMarkersAndBarsAsInAFreshLab) {
  for (const lab::Lesson& lesson : lab::Lessons()) {
    StartedLab fresh;
    ASSERT_EQ(lab::OpenLesson(fresh, lesson), "") << lesson.key;

    StartedLab used;
    ASSERT_EQ(used.setLens(optics::LensPresets()[1].design), "");
    drag(used, Marker::Source, -210, -45);
    drag(used, Marker::Entry, -22, 25);
    ASSERT_TRUE(used.setBar(lab::BarId::Height, 41));
    ASSERT_TRUE(used.setBar(lab::BarId::Rays, 37));
    ASSERT_TRUE(used.setBar(lab::BarId::Time, 63));
    ASSERT_TRUE(used.click(2));
    while (used.message()) used.dismissMessage();
    ASSERT_NE(used.placement(), fresh.startPlacement()) << lesson.key;
    ASSERT_EQ(lab::OpenLesson(used, lesson), "") << lesson.key;

    EXPECT_EQ(used.startPlacement(), fresh.startPlacement()) << lesson.key;
    EXPECT_EQ(used.placement(), fresh.placement()) << lesson.key;
    EXPECT_EQ(stateText(used), stateText(fresh)) << lesson.key;
    EXPECT_TRUE(lab_testing::sameOps(sinceLastCls(used), sinceLastCls(fresh))) << lesson.key;
    EXPECT_EQ(used.journal(), fresh.journal()) << lesson.key;
  }
}

}  // namespace
