// A set-up saved from a session opens, in a fresh lab, to exactly the
// labels, markers, bars, results and picture that session had: over random
// sessions of raw input (live drags, thumbs, Play, keys, new lenses).
#include "LabTesting.h"

#include "lab/Keys.h"
#include "lab/SetupRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <random>
#include <string>

namespace {

using lab::BarId;
using lab::Marker;
using lab_testing::sinceLastCls;
using lab_testing::StartedLab;
using lab_testing::stateText;

struct Session {
  std::mt19937 rng;
  lab::Lab& l;
  int between(int a, int b) { return std::uniform_int_distribution<>(a, b)(rng); }
  float coordinate() { return static_cast<float>(std::uniform_real_distribution<>(-320, 320)(rng)); }
  void dismiss() {
    while (l.message()) l.dismissMessage();
  }
  // A hand's drag of a marker: pressed on it, moved with the loop idle now
  // and then, released.
  void drag() {
    const lab::ShapeCentre c = lab::CentreOf(l.controls().marker(between(0, 1) ? Marker::Source : Marker::Entry));
    l.pointerDown(c.x, c.y);
    for (int k = between(1, 4); k > 0; --k) {
      l.pointerMove(coordinate(), coordinate() / 2);
      if (between(0, 1)) l.idle();
      dismiss();
    }
    const float x = coordinate(), y = coordinate() / 2;
    l.pointerMove(x, y);
    l.pointerUp(x, y);
  }
  void thumb() {
    const BarId bar = static_cast<BarId>(between(0, 2));
    const lab::BarRange r = l.controls().bar(bar).range;
    const int lo = std::min(r.min, r.max), hi = std::max(r.min, r.max);
    int v = between(lo, hi);
    for (int k = between(1, 3); k > 0; --k) {
      v = between(lo, hi);
      l.thumbMoved(bar, v);
      if (between(0, 1)) l.idle();
      dismiss();
    }
    l.thumbReleased(bar, between(0, 3) == 0 ? l.controls().bar(bar).value : v);
  }
  void step() {
    switch (between(0, 9)) {
      case 0:
      case 1: drag(); break;
      case 2: thumb(); break;
      case 3: {
        const BarId bar = static_cast<BarId>(between(0, 2));
        const lab::BarRange r = l.controls().bar(bar).range;
        l.setBar(bar, between(std::min(r.min, r.max), std::max(r.min, r.max)));
        break;
      }
      case 4:
      case 5: l.click(between(1, 5)); break;
      case 6: {
        const int keys[] = {lab::keys::Left, lab::keys::Left | lab::keys::Shift, 0x01000013, 0x01000014,
                            0x01000015, lab::keys::Control | (lab::keys::Digit1 + between(0, 4))};
        l.key(keys[between(0, 5)]);
        break;
      }
      case 7: {
        // Play from near the end of the bar, stopped after a few steps or run out.
        l.setBar(BarId::Time, between(90, 100));
        dismiss();
        l.key(lab::keys::Space);
        for (int k = between(0, 6); k > 0 && l.playing(); --k) {
          l.playTick();
          dismiss();
        }
        if (between(0, 1)) l.otherInput();
        break;
      }
      case 8: l.setActiveMarker(between(0, 1) ? Marker::Source : Marker::Entry); break;
      case 9: {
        const auto presets = optics::LensPresets();
        if (between(0, 3) == 0) (void)l.setLens(presets[static_cast<std::size_t>(between(0, 7))].design);
        break;
      }
    }
    dismiss();
    l.settle();
    dismiss();
  }
};

class SavedSetup : public ::testing::TestWithParam<int> {};

TEST_P(SavedSetup, OpensToTheSessionsLabelsMarkersResultsAndPicture) {
  StartedLab l({960, 600});
  l.setLive(GetParam() % 3 != 0);
  Session s{std::mt19937(static_cast<unsigned>(GetParam())), l};
  for (int i = 0; i < 14; ++i) s.step();
  // A sweep still running is saved as far as it got.
  const lab::SetupRead read = lab::ParseSetup(lab::SetupJson(lab::CurrentSetup(l)));
  ASSERT_TRUE(read.setup) << read.error;

  StartedLab opened({960, 600});
  ASSERT_EQ(lab::OpenSetup(opened, *read.setup), "");
  EXPECT_EQ(stateText(opened), stateText(l));
  EXPECT_TRUE(lab_testing::sameOps(sinceLastCls(opened), sinceLastCls(l)));
  EXPECT_EQ(opened.lensDesign(), l.lensDesign());
  EXPECT_EQ(opened.live(), l.live());
  EXPECT_EQ(opened.activeMarker(), l.activeMarker()) << "the marker the arrow keys move";
  // Saved again, it is the same set-up.
  EXPECT_EQ(lab::CurrentSetup(opened).start, lab::CurrentSetup(l).start);
}

INSTANTIATE_TEST_SUITE_P(Sessions, SavedSetup, ::testing::Range(0, 60));

// The entry point made the marker the arrow keys move, then one input of
// each kind (or none): the saved set-up opens with the same marker active,
// so the next arrow moves the same marker in both.
struct ActiveCase {
  const char* name;
  std::function<void(lab::Lab&)> input;
};

void PrintTo(const ActiveCase& c, std::ostream* os) { *os << c.name; }

class ActiveMarkerSaved : public ::testing::TestWithParam<ActiveCase> {};

TEST_P(ActiveMarkerSaved, TheNextArrowMovesTheSameMarkerAfterOpening) {
  for (const Marker chosen : {Marker::Entry, Marker::Source}) {
    StartedLab l({960, 600});
    if (chosen == Marker::Source) l.setActiveMarker(Marker::Entry), (void)l.key(lab::keys::Up);
    l.setActiveMarker(chosen);
    GetParam().input(l);
    while (l.message()) l.dismissMessage();
    l.settle();
    const lab::SetupRead read = lab::ParseSetup(lab::SetupJson(lab::CurrentSetup(l)));
    ASSERT_TRUE(read.setup) << read.error;
    StartedLab opened({960, 600});
    ASSERT_EQ(lab::OpenSetup(opened, *read.setup), "");
    EXPECT_EQ(opened.activeMarker(), l.activeMarker()) << "chosen " << int(chosen);
    for (lab::Lab* each : {static_cast<lab::Lab*>(&l), static_cast<lab::Lab*>(&opened)}) {
      (void)each->key(lab::keys::Up | lab::keys::Shift);
      while (each->message()) each->dismissMessage();
      each->settle();
    }
    EXPECT_EQ(stateText(opened), stateText(l)) << "chosen " << int(chosen);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ActiveMarkerSaved,
    ::testing::Values(ActiveCase{"nothing", [](lab::Lab&) {}},
                      ActiveCase{"press", [](lab::Lab& l) { (void)l.click(1); }},
                      ActiveCase{"bar", [](lab::Lab& l) { (void)l.setBar(BarId::Height, 20); }},
                      ActiveCase{"thumb",
                                 [](lab::Lab& l) {
                                   l.thumbMoved(BarId::Rays, 30);
                                   l.thumbReleased(BarId::Rays, 30);
                                 }},
                      ActiveCase{"arrow", [](lab::Lab& l) { (void)l.key(lab::keys::Left); }},
                      ActiveCase{"play",
                                 [](lab::Lab& l) {
                                   (void)l.setBar(BarId::Time, 98);
                                   l.playToEnd();
                                 }},
                      ActiveCase{"otherMarkerChosenBack",
                                 [](lab::Lab& l) {
                                   const Marker m = l.activeMarker();
                                   l.setActiveMarker(m == Marker::Entry ? Marker::Source : Marker::Entry);
                                   (void)l.click(2);
                                   l.setActiveMarker(m);
                                 }}),
    [](const ::testing::TestParamInfo<ActiveCase>& i) { return std::string(i.param.name); });

// A bar set to the value it has is no input: the journal (and so the saved
// file) is as without it, whichever view set it.
TEST(Journal, LeavesOutABarSetToItsOwnValue) {
  StartedLab l;
  ASSERT_TRUE(l.click(2));
  const std::vector<lab::Action> before = l.journal();
  for (const BarId bar : {BarId::Height, BarId::Rays, BarId::Time}) {
    EXPECT_TRUE(l.setBar(bar, l.controls().bar(bar).value));
  }
  EXPECT_EQ(l.journal().size(), before.size());
  ASSERT_TRUE(l.setBar(BarId::Rays, 12));
  EXPECT_EQ(l.journal().size(), before.size() + 1) << "a real change is kept";
}

// A set-up whose lens cannot exist, or any while a message is open, is
// refused and changes nothing.
TEST(OpenSetup, RefusesALensThatCannotExistAndChangesNothing) {
  StartedLab l;
  ASSERT_TRUE(l.click(2));
  const std::string state = stateText(l);
  lab::Setup bad = lab::CurrentSetup(l);
  bad.lens.N = 9;
  EXPECT_NE(lab::OpenSetup(l, bad), "");
  EXPECT_EQ(stateText(l), state);
  EXPECT_EQ(l.lensDesign(), optics::LensDesign{});
}

}  // namespace
