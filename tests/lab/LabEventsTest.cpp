// The lab's event rules at their edges, through its plain calls: which marker
// a press takes, drags far off the frame, a thumb released where it started,
// messages that open during Play or in the middle of a construction, the
// keys, and a reset after a busy session.
#include "core/Constants.h"
#include "core/Drawing.h"
#include "core/RayContinuation.h"
#include "lab/Keys.h"
#include "lab/Lab.h"
#include "lab/Script.h"
#include "LabTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

using lab::BarId;
using lab::Marker;
using lab::Op;

struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& p) const {
    return p.param.name;
  }
};

using lab_testing::centre;
using lab_testing::drag;
using lab_testing::keyOf;
using lab_testing::number;
using lab_testing::sameOps;
using lab_testing::sinceLastCls;
using lab_testing::StartedLab;
using lab_testing::stateText;

bool isLogged(core::DrawOp::Kind k) {
  using K = core::DrawOp::Kind;
  return k == K::Line || k == K::LineTo || k == K::Circle || k == K::PSet;
}

// ---------------------------------------------------------------- presses

enum class Edge { Left, Right, Top, Bottom };
enum class Side { Outside, On, Inside };  // one Single step out, the edge itself, one step in

struct PressCase {
  const char* name;
  Marker marker;
  Edge edge;
  Side side;
};

class PressAtEdge : public ::testing::TestWithParam<PressCase> {};

// A marker is taken only strictly inside its rectangle, whose right and
// bottom edges are formed in Single; a press that takes nothing makes the
// release draw nothing either.
TEST_P(PressAtEdge, TakesTheMarkerOnlyStrictlyInside) {
  const PressCase& c = GetParam();
  StartedLab l;
  const lab::Control& shape = l.controls().marker(c.marker);
  const float left = shape.Left(), top = shape.Top();
  const float right = left + shape.Width(), bottom = top - shape.Height();
  const lab::ShapeCentre mid = centre(l, c.marker);
  constexpr float kUp = std::numeric_limits<float>::infinity();
  // Which way is in, from each edge (world y grows upwards).
  const float edge = c.edge == Edge::Left ? left : c.edge == Edge::Right ? right : c.edge == Edge::Top ? top : bottom;
  const float inward = c.edge == Edge::Left || c.edge == Edge::Bottom ? kUp : -kUp;
  const float at = c.side == Side::On        ? edge
                   : c.side == Side::Inside ? std::nextafter(edge, inward)
                                            : std::nextafter(edge, -inward);
  const bool horizontal = c.edge == Edge::Left || c.edge == Edge::Right;
  const float x = horizontal ? at : mid.x, y = horizontal ? mid.y : at;

  const std::string before = stateText(l);
  const std::size_t logged = l.surface().log().size();
  ASSERT_TRUE(l.pointerDown(x, y));
  const bool taken = c.side == Side::Inside;
  EXPECT_EQ(l.DraggingSource, taken && c.marker == Marker::Source);
  EXPECT_EQ(l.DraggingPoint, taken && c.marker == Marker::Entry);
  EXPECT_EQ(l.activeMarker(), taken ? c.marker : Marker::Source);
  l.pointerMove(-120.0f, 60.0f);
  EXPECT_EQ(l.idle(), taken) << "a live redraw only for a taken marker";
  l.pointerUp(-120.0f, 60.0f);
  if (taken) {
    EXPECT_GT(l.surface().log().size(), logged);
    EXPECT_FLOAT_EQ(centre(l, c.marker).x, -120.0f);
  } else {
    EXPECT_EQ(l.surface().log().size(), logged);
    EXPECT_EQ(stateText(l), before);
  }
}

std::vector<PressCase> pressCases() {
  std::vector<PressCase> out;
  static const char* const names[2][4][3] = {
      {{"sourceLeftOutside", "sourceLeftOn", "sourceLeftInside"},
       {"sourceRightOutside", "sourceRightOn", "sourceRightInside"},
       {"sourceTopOutside", "sourceTopOn", "sourceTopInside"},
       {"sourceBottomOutside", "sourceBottomOn", "sourceBottomInside"}},
      {{"entryLeftOutside", "entryLeftOn", "entryLeftInside"},
       {"entryRightOutside", "entryRightOn", "entryRightInside"},
       {"entryTopOutside", "entryTopOn", "entryTopInside"},
       {"entryBottomOutside", "entryBottomOn", "entryBottomInside"}}};
  for (int m = 0; m < 2; ++m) {
    for (int e = 0; e < 4; ++e) {
      for (int s = 0; s < 3; ++s) {
        out.push_back({names[m][e][s], m == 0 ? Marker::Source : Marker::Entry, static_cast<Edge>(e),
                       static_cast<Side>(s)});
      }
    }
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(Edges, PressAtEdge, ::testing::ValuesIn(pressCases()), ByName{});

struct OverlapCase {
  const char* name;
  Marker moved;   // dragged onto the other marker's centre, offset by (dx, dy) widths
  float dx, dy;   // of the moved marker's centre from the other's, in marker widths
  float px, py;   // the press, in marker widths from the still marker's centre
  bool both;      // the press lies in both markers
  Marker taken;
};

class PressOnOverlap : public ::testing::TestWithParam<OverlapCase> {};

// Where the two markers overlap the entry point is taken; where only one
// lies, that one. The taken marker alone follows the pointer.
TEST_P(PressOnOverlap, TakesTheEntryPointWhereBothLie) {
  const OverlapCase& c = GetParam();
  StartedLab l;
  const Marker still = c.moved == Marker::Source ? Marker::Entry : Marker::Source;
  const Marker other = c.taken == Marker::Source ? Marker::Entry : Marker::Source;
  const float w = l.controls().kyklos.Width();
  ASSERT_FLOAT_EQ(l.controls().shmeio.Width(), w);
  const lab::ShapeCentre s = centre(l, still);
  drag(l, c.moved, s.x + c.dx * w, s.y + c.dy * w);
  const float px = s.x + c.px * w, py = s.y + c.py * w;
  // The press lies where the case says: in both markers, or in one.
  ASSERT_TRUE(lab::Hits(l.controls().marker(c.taken), px, py));
  ASSERT_EQ(lab::Hits(l.controls().marker(other), px, py), c.both);

  const lab::ShapeCentre otherBefore = centre(l, other);
  ASSERT_TRUE(l.pointerDown(px, py));
  EXPECT_EQ(l.DraggingPoint, c.taken == Marker::Entry);
  EXPECT_EQ(l.DraggingSource, c.taken == Marker::Source);
  EXPECT_EQ(l.activeMarker(), c.taken);
  l.pointerMove(-100.0f, 50.0f);
  EXPECT_TRUE(l.idle());
  EXPECT_FLOAT_EQ(centre(l, c.taken).x, -100.0f);
  EXPECT_FLOAT_EQ(centre(l, c.taken).y, 50.0f);
  EXPECT_EQ(centre(l, other).x, otherBefore.x);
  EXPECT_EQ(centre(l, other).y, otherBefore.y);
  l.pointerUp(-100.0f, 50.0f);
  EXPECT_EQ(centre(l, other).x, otherBefore.x);
  EXPECT_EQ(centre(l, other).y, otherBefore.y);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, PressOnOverlap,
    ::testing::Values(OverlapCase{"sourceOntoEntry", Marker::Source, 0, 0, 0, 0, true, Marker::Entry},
                      OverlapCase{"entryOntoSource", Marker::Entry, 0, 0, 0, 0, true, Marker::Entry},
                      // Half a width apart: the shared strip, and each marker's own part.
                      OverlapCase{"sharedStrip", Marker::Source, 0.5f, 0, 0.25f, 0, true, Marker::Entry},
                      OverlapCase{"sourceOnlyPart", Marker::Source, 0.5f, 0, 0.8f, 0, false, Marker::Source},
                      OverlapCase{"entryOnlyPart", Marker::Source, 0.5f, 0, -0.3f, 0, false, Marker::Entry},
                      OverlapCase{"sharedStripBelow", Marker::Source, 0, -0.5f, 0, -0.2f, true, Marker::Entry},
                      OverlapCase{"sourceBelowEntry", Marker::Source, 0, -0.5f, 0, -0.8f, false, Marker::Source}),
    ByName{});

// ---------------------------------------------------------------- drags off the frame

struct FarCase {
  const char* name;
  Marker marker;
  float x, y;
  // Whether the marker can be taken again there: at 3e38 a step of Single
  // (2^104) dwarfs the marker's width, so Left + Width == Left and its
  // rectangle has no inside.
  bool pressableThere;
};

class FarDrag : public ::testing::TestWithParam<FarCase> {};

bool finite(const Op& op) {
  for (const double v : {op.x1, op.y1, op.x2, op.y2, op.r, op.start, op.end}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return s;
}

double label2Time(const lab::Lab& l) {
  const std::string caption = l.captions()[1];
  const std::string prefix = "time = ";
  EXPECT_EQ(caption.rfind(prefix, 0), 0u) << caption;
  return std::strtod(caption.c_str() + std::min(prefix.size(), caption.size()), nullptr);
}

// Every coordinate in Single range: the whole picture is drawn, nothing is
// refused, the marker stands where the pointer let go, and the labels show numbers.
TEST_P(FarDrag, DrawsEverythingWithFiniteNumbers) {
  const FarCase& c = GetParam();
  StartedLab l;
  drag(l, c.marker, c.x, c.y);
  const lab::ShapeCentre m = centre(l, c.marker);
  EXPECT_NEAR(m.x, c.x, 1e-6 * std::max(1.0f, std::abs(c.x)));
  EXPECT_NEAR(m.y, c.y, 1e-6 * std::max(1.0f, std::abs(c.y)));
  for (const std::string& caption : l.captions()) {
    EXPECT_EQ(lower(caption).find("nan"), std::string::npos) << caption;
    EXPECT_EQ(lower(caption).find("inf"), std::string::npos) << caption;
  }
  const std::vector<Op>& log = l.surface().log();
  EXPECT_TRUE(std::all_of(log.begin(), log.end(), finite));
  EXPECT_EQ(l.surface().refusedOperations(), 0);
  // The release draws source -> entry -> target from where the pointer let
  // go, and Label2 is that path's time.
  const std::vector<Op> last = sinceLastCls(l);
  ASSERT_GE(last.size(), 2u);
  const Op &air = last[last.size() - 2], &glass = last.back();
  ASSERT_TRUE(air.kind == Op::Kind::Line && glass.kind == Op::Kind::Line);
  const lab::ShapeCentre other = centre(l, c.marker == Marker::Source ? Marker::Entry : Marker::Source);
  const double moved[2] = {c.x, c.y}, still[2] = {other.x, other.y};
  const double* s = c.marker == Marker::Source ? moved : still;
  const double* p = c.marker == Marker::Source ? still : moved;
  EXPECT_TRUE(air.x1 == s[0] && air.y1 == s[1] && air.x2 == p[0] && air.y2 == p[1]);
  const core::Point t = lab::TargetPoint(l.controls().thesiy.value, l.scene());
  EXPECT_TRUE(glass.x1 == p[0] && glass.y1 == p[1] && glass.x2 == static_cast<float>(t.x) &&
              glass.y2 == static_cast<float>(t.y));
  const double time = std::hypot(air.x2 - air.x1, air.y2 - air.y1) / l.scene().SpeedOutside +
                      std::hypot(glass.x2 - glass.x1, glass.y2 - glass.y1) / l.scene().SpeedInside;
  EXPECT_NEAR(label2Time(l), time, 1e-9 * time + 0.01);
}

// What a later drag back into the frame shows depends on nothing of the trip:
// out and back in one drag, or (where the marker can be taken there) in two,
// ends as one drag to that place from a fresh start.
TEST_P(FarDrag, BackIntoTheFrameIsAsFromAFreshStart) {
  const FarCase& c = GetParam();
  const float backX = c.marker == Marker::Source ? -210.0f : -14.0f;
  const float backY = c.marker == Marker::Source ? 35.0f : 12.0f;
  StartedLab fresh;
  drag(fresh, c.marker, backX, backY);

  StartedLab once;
  const lab::ShapeCentre start = centre(once, c.marker);
  once.pointerDown(start.x, start.y);
  once.pointerMove(c.x, c.y);
  once.idle();
  once.pointerMove(backX, backY);
  once.idle();
  once.pointerUp(backX, backY);

  StartedLab twice;
  drag(twice, c.marker, c.x, c.y);
  const std::size_t logged = twice.surface().log().size();
  drag(twice, c.marker, backX, backY);
  EXPECT_EQ(twice.surface().log().size() > logged, c.pressableThere);

  for (StartedLab* l : {&once, &twice}) {
    if (l == &twice && !c.pressableThere) continue;
    SCOPED_TRACE(l == &once ? "out and back in one drag" : "out, then back");
    EXPECT_EQ(l->captions()[1], fresh.captions()[1]);
    for (const Marker m : {Marker::Source, Marker::Entry}) {
      EXPECT_EQ(centre(*l, m).x, centre(fresh, m).x);
      EXPECT_EQ(centre(*l, m).y, centre(fresh, m).y);
    }
    // Only drags happened: the drawing state was the same for both.
    EXPECT_TRUE(sameOps(sinceLastCls(*l), sinceLastCls(fresh)));
    EXPECT_EQ(l->surface().refusedOperations(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Points, FarDrag,
    ::testing::Values(FarCase{"sourceBelowRight", Marker::Source, 5000.0f, -3000.0f, true},
                      FarCase{"sourceAboveLeft", Marker::Source, -5000.0f, 3000.0f, true},
                      FarCase{"entryBelowRight", Marker::Entry, 5000.0f, -3000.0f, true},
                      FarCase{"sourceSingleRight", Marker::Source, 3e38f, 0.0f, false},
                      FarCase{"sourceSingleBelow", Marker::Source, 0.0f, -3e38f, false},
                      FarCase{"sourceSingleCorner", Marker::Source, -3e38f, 3e38f, false},
                      FarCase{"entrySingleLeft", Marker::Entry, -3e38f, 0.0f, false},
                      FarCase{"entrySingleCorner", Marker::Entry, 3e38f, -3e38f, false}),
    ByName{});

// ---------------------------------------------------------------- thumbs

struct ThumbCase {
  const char* name;
  BarId bar;
  int start;               // the bar's value when the thumb is taken
  std::vector<int> moves;  // where it is dragged, the loop idle after each
};

class ThumbBack : public ::testing::TestWithParam<ThumbCase> {};

// The session the thumb is dragged in: a source off the axis, a least-time
// path, a bundle continuation, and the bar at the case's start value.
void prepare(lab::Lab& l, const ThumbCase& c) {
  drag(l, Marker::Source, -200.0f, 30.0f);
  l.click(5);
  l.click(1);
  l.setBar(c.bar, c.start);
  ASSERT_EQ(l.controls().bar(c.bar).value, c.start);
}

// A thumb released where it was taken changes nothing, as the classic bar
// does: everything drawn live is taken back.
TEST_P(ThumbBack, ReleasedWhereItStartedPutsEverythingBack) {
  const ThumbCase& c = GetParam();
  StartedLab l;
  prepare(l, c);
  const std::string state = stateText(l);
  const std::vector<Op> log = l.surface().log();
  const std::size_t items = l.surface().record().items().size();
  const int refused = l.surface().refusedOperations();

  bool shown = false;
  for (const int v : c.moves) {
    ASSERT_TRUE(l.thumbMoved(c.bar, v));
    EXPECT_TRUE(l.idle());
    EXPECT_EQ(l.controls().bar(c.bar).value, v);
    shown = shown || stateText(l) != state || l.surface().log().size() != log.size();
  }
  ASSERT_TRUE(shown) << "the thumb's values were drawn live";
  EXPECT_TRUE(l.thumbDown(c.bar));
  ASSERT_TRUE(l.thumbReleased(c.bar, c.start));
  EXPECT_FALSE(l.thumbDown(c.bar));
  EXPECT_FALSE(l.idlePending());
  EXPECT_EQ(stateText(l), state);
  EXPECT_TRUE(sameOps(l.surface().log(), log));
  EXPECT_EQ(l.surface().record().items().size(), items);
  EXPECT_EQ(l.surface().refusedOperations(), refused);
}

// Without live drawing a held thumb draws nothing: released where it started
// nothing changed, released elsewhere the bar applies that value once.
TEST_P(ThumbBack, WithoutLiveDrawingNothingIsDrawnWhileHeld) {
  const ThumbCase& c = GetParam();
  StartedLab l, elsewhere, direct;
  for (StartedLab* x : {&l, &elsewhere, &direct}) {
    x->setLive(false);
    prepare(*x, c);
  }
  const std::string state = stateText(l);
  const std::size_t logged = l.surface().log().size();
  for (StartedLab* x : {&l, &elsewhere}) {
    for (const int v : c.moves) {
      ASSERT_TRUE(x->thumbMoved(c.bar, v));
      EXPECT_FALSE(x->idle());
      EXPECT_FALSE(x->idlePending());
      EXPECT_EQ(x->controls().bar(c.bar).value, c.start);
      EXPECT_EQ(x->surface().log().size(), logged);
      EXPECT_EQ(stateText(*x), state);
    }
  }
  ASSERT_TRUE(l.thumbReleased(c.bar, c.start));
  EXPECT_EQ(l.surface().log().size(), logged);
  EXPECT_EQ(stateText(l), state);

  const int to = c.moves.front();
  ASSERT_TRUE(elsewhere.thumbReleased(c.bar, to));
  ASSERT_TRUE(direct.setBar(c.bar, to));
  EXPECT_EQ(stateText(elsewhere), stateText(direct));
  EXPECT_TRUE(sameOps(elsewhere.surface().log(), direct.surface().log()));
}

INSTANTIATE_TEST_SUITE_P(Bars, ThumbBack,
                         ::testing::Values(ThumbCase{"heightFromDesign", BarId::Height, 0, {10, 25, 40}},
                                           ThumbCase{"heightFromSet", BarId::Height, -20, {-30, 99, -99}},
                                           ThumbCase{"raysFromDesign", BarId::Rays, 10, {20, 50, 100}},
                                           ThumbCase{"raysFromSet", BarId::Rays, 40, {2, 41}},
                                           ThumbCase{"timeFromDesign", BarId::Time, 5, {20, 40, 60}},
                                           ThumbCase{"timeFromSet", BarId::Time, 70, {71, 100, 5}}),
                         ByName{});

// ---------------------------------------------------------------- messages

constexpr int kFailingTime = 93;

// A bundle continuation that raises a message at one time value, as a failed
// search would, with one more line of its drawing after the message.
void failAt(lab::Lab& l, int time) {
  l.afterChange = [&l, time](BarId id) {
    if (id != BarId::Time || l.controls().xronosmetato.value != time) return;
    core::Drawing d;
    d.Message("δε βρέθηκε");
    d.Line(-10, -10, 10, 10);
    l.replay(d);
  };
}

bool isTheLineAfterTheMessage(const Op& op) {
  return op.kind == Op::Kind::Line && op.x1 == -10 && op.y1 == -10 && op.x2 == 10 && op.y2 == 10;
}

// Every input is refused while a message is open, and none draws anything.
void expectEveryInputRefused(lab::Lab& l) {
  const std::size_t logged = l.surface().log().size();
  const std::string state = stateText(l);
  const bool playing = l.playing();
  const lab::ShapeCentre s = centre(l, Marker::Source);
  EXPECT_FALSE(l.pointerDown(s.x, s.y));
  EXPECT_FALSE(l.DraggingSource);
  EXPECT_FALSE(l.pointerMove(-100.0f, 40.0f));
  EXPECT_FALSE(l.pointerUp(-100.0f, 40.0f));
  EXPECT_FALSE(l.click(1));
  EXPECT_FALSE(l.click(5));
  EXPECT_FALSE(l.setBar(BarId::Height, 10));
  EXPECT_FALSE(l.setBar(BarId::Time, 50));
  EXPECT_FALSE(l.thumbMoved(BarId::Rays, 30));
  EXPECT_FALSE(l.thumbReleased(BarId::Rays, 30));
  EXPECT_FALSE(l.key(keyOf("Space")));
  EXPECT_FALSE(l.key(keyOf("Ctrl+2")));
  EXPECT_FALSE(l.key(keyOf("Shift+Left")));
  EXPECT_FALSE(l.idle());
  l.startPlay();
  EXPECT_EQ(l.playing(), playing);
  l.settle();
  EXPECT_TRUE(l.busy());
  EXPECT_EQ(l.surface().log().size(), logged);
  EXPECT_EQ(stateText(l), state);
}

struct PlayCase {
  const char* name;
  int from;  // the time bar when Play starts
};

class MessageInPlay : public ::testing::TestWithParam<PlayCase> {};

// A step that raises a message stops the sweep on that step; the step's own
// drawing completes when the message is dismissed, and nothing else runs.
TEST_P(MessageInPlay, StopsTheSweepOnTheStepThatRaisedIt) {
  StartedLab l;
  failAt(l, kFailingTime);
  l.setBar(BarId::Time, GetParam().from);
  l.startPlay();
  for (int ticks = 0; l.playing() && !l.busy() && ticks < 200; ++ticks) l.playTick();
  EXPECT_FALSE(l.playing()) << "stopped by the step itself, not by a later tick";
  ASSERT_TRUE(l.busy());
  EXPECT_EQ(*l.message(), "δε βρέθηκε");
  EXPECT_EQ(l.messageCount(), 1);
  EXPECT_EQ(l.controls().xronosmetato.value, kFailingTime);
  EXPECT_FALSE(isTheLineAfterTheMessage(l.surface().log().back())) << "the message opens before the line";

  const std::size_t logged = l.surface().log().size();
  l.playTick();  // the timer's next tick
  EXPECT_EQ(l.surface().log().size(), logged);
  EXPECT_EQ(l.controls().xronosmetato.value, kFailingTime);
  expectEveryInputRefused(l);

  l.dismissMessage();
  EXPECT_FALSE(l.busy());
  ASSERT_EQ(l.surface().log().size(), logged + 1);
  EXPECT_TRUE(isTheLineAfterTheMessage(l.surface().log().back()));
  l.playTick();
  l.settle();
  EXPECT_EQ(l.surface().log().size(), logged + 1);
  EXPECT_EQ(l.controls().xronosmetato.value, kFailingTime);
  EXPECT_FALSE(l.playing());

  // Play starts again from there and runs to the end.
  l.startPlay();
  EXPECT_TRUE(l.playing());
  EXPECT_EQ(l.controls().xronosmetato.value, kFailingTime + 1);
  for (int ticks = 0; l.playing() && ticks < 200; ++ticks) l.playTick();
  EXPECT_FALSE(l.playing());
  EXPECT_EQ(l.controls().xronosmetato.value, lab::kTimeRange.max);
  EXPECT_EQ(l.messageCount(), 1);
}

// Run to its end without waiting, the sweep only pauses at a message: it goes
// on from the next value when the message is dismissed.
TEST_P(MessageInPlay, RunToItsEndPausesAtTheMessage) {
  StartedLab l;
  failAt(l, kFailingTime);
  l.setBar(BarId::Time, GetParam().from);
  l.playToEnd();
  ASSERT_TRUE(l.busy());
  EXPECT_EQ(l.controls().xronosmetato.value, kFailingTime);
  expectEveryInputRefused(l);
  const std::size_t logged = l.surface().log().size();
  l.dismissMessage();
  EXPECT_FALSE(l.busy());
  ASSERT_GT(l.surface().log().size(), logged);
  EXPECT_TRUE(isTheLineAfterTheMessage(l.surface().log()[logged])) << "the step's own drawing first";
  EXPECT_FALSE(l.playing());
  EXPECT_EQ(l.controls().xronosmetato.value, lab::kTimeRange.max);
  EXPECT_EQ(l.messageCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Starts, MessageInPlay,
                         ::testing::Values(PlayCase{"firstStep", kFailingTime - 1}, PlayCase{"thirdStep", kFailingTime - 3},
                                           PlayCase{"fromTheStart", lab::kTimeRange.min}),
                         ByName{});

struct RisingCase {
  const char* name;
  float sx, sy;
  int height;
  bool byKey;  // Ctrl+4 rather than the button
};

class RisingRay : public ::testing::TestWithParam<RisingCase> {};

// A continued ray that rises says so in a message between its attempts and
// its drawing: the message opens after exactly the operations the
// construction puts before it, and the rest follows on dismissal.
TEST_P(RisingRay, MessageOpensWhereTheConstructionPutsIt) {
  const RisingCase& c = GetParam();
  StartedLab l;
  drag(l, Marker::Source, c.sx, c.sy);
  l.setBar(BarId::Height, c.height);
  const lab::ShapeCentre s = centre(l, Marker::Source);
  const core::RayContinuationResult r = core::ContinueRay(l.scene().lens(), {s.x, s.y}, c.height);
  ASSERT_TRUE(r.MessageShown) << "the case's ray rises";
  const auto message = std::find_if(r.drawing.ops.begin(), r.drawing.ops.end(),
                                    [](const core::DrawOp& op) { return op.kind == core::DrawOp::Kind::Message; });
  ASSERT_NE(message, r.drawing.ops.end());
  const auto drawnBefore =
      static_cast<std::size_t>(std::count_if(r.drawing.ops.begin(), message, [](const core::DrawOp& op) { return isLogged(op.kind); }));
  const auto drawnAfter =
      static_cast<std::size_t>(std::count_if(message, r.drawing.ops.end(), [](const core::DrawOp& op) { return isLogged(op.kind); }));
  ASSERT_GT(drawnBefore, 0u);
  ASSERT_GT(drawnAfter, 0u);

  const std::size_t logged = l.surface().log().size();
  const std::string label4 = l.captions()[3];
  ASSERT_TRUE(c.byKey ? l.key(keyOf("Ctrl+4")) : l.click(4));
  ASSERT_TRUE(l.busy());
  EXPECT_EQ(*l.message(), core::kNaiThe);
  EXPECT_EQ(l.surface().log().size(), logged + drawnBefore);
  EXPECT_EQ(l.captions()[3], label4) << "the measured index is shown after the message";
  EXPECT_FALSE(l.results().rayContinuation().has_value());
  expectEveryInputRefused(l);

  l.dismissMessage();
  EXPECT_FALSE(l.busy());
  ASSERT_EQ(l.surface().log().size(), logged + drawnBefore + drawnAfter);
  // The first operation after the message is the continued ray.
  const Op& ray = l.surface().log()[logged + drawnBefore];
  EXPECT_EQ(ray.x1, static_cast<float>(r.Ray.x1));
  EXPECT_EQ(ray.y1, static_cast<float>(r.Ray.y1));
  EXPECT_EQ(ray.x2, static_cast<float>(r.Ray.x2));
  EXPECT_EQ(ray.y2, static_cast<float>(r.Ray.y2));
  EXPECT_NE(l.captions()[3], label4);
  EXPECT_TRUE(l.results().rayContinuation().has_value());
  EXPECT_EQ(l.messageCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rays, RisingRay,
                         ::testing::Values(RisingCase{"onTheAxis", -300.0f, 0.0f, 30, false},
                                           RisingCase{"onTheAxisByKey", -300.0f, 0.0f, 30, true}),
                         ByName{});

// ---------------------------------------------------------------- keys

TEST(SpaceKey, TogglesPlayAndIgnoresAutoRepeat) {
  StartedLab l;
  l.setBar(BarId::Time, 60);
  EXPECT_TRUE(l.key(keyOf("Space")));
  EXPECT_TRUE(l.playing());
  EXPECT_EQ(l.controls().xronosmetato.value, 61) << "the first step at once";
  EXPECT_TRUE(l.key(keyOf("Space"), true));
  EXPECT_TRUE(l.playing()) << "a held key does not toggle";
  EXPECT_EQ(l.controls().xronosmetato.value, 61);
  l.playTick();
  EXPECT_TRUE(l.key(keyOf("Space")));
  EXPECT_FALSE(l.playing());
  EXPECT_EQ(l.controls().xronosmetato.value, 62);
  EXPECT_TRUE(l.key(keyOf("Space"), true));
  EXPECT_FALSE(l.playing());
  // With a modifier it is no Space of Play's.
  EXPECT_FALSE(l.key(keyOf("Shift+Space")));
  EXPECT_FALSE(l.playing());
}

struct ClickKeyCase {
  const char* name;
  const char* key;
  int button;  // 0: none
};

class ClickKey : public ::testing::TestWithParam<ClickKeyCase> {};

TEST_P(ClickKey, IsTheButtonsClick) {
  const ClickKeyCase& c = GetParam();
  StartedLab keys, mouse;
  for (StartedLab* l : {&keys, &mouse}) {
    drag(*l, Marker::Source, -220.0f, 25.0f);
    l->setBar(BarId::Rays, 6);
  }
  // A focused bar keeps only the arrows.
  EXPECT_EQ(keys.key(keyOf(c.key), false, true), c.button != 0);
  if (c.button != 0) mouse.click(c.button);
  EXPECT_EQ(stateText(keys), stateText(mouse));
  EXPECT_TRUE(sameOps(keys.surface().log(), mouse.surface().log()));
}

INSTANTIATE_TEST_SUITE_P(Keys, ClickKey,
                         ::testing::Values(ClickKeyCase{"ctrl1", "Ctrl+1", 1}, ClickKeyCase{"ctrl2", "Ctrl+2", 2},
                                           ClickKeyCase{"ctrl3", "Ctrl+3", 3}, ClickKeyCase{"ctrl4", "Ctrl+4", 4},
                                           ClickKeyCase{"ctrl5", "Ctrl+5", 5},
                                           ClickKeyCase{"keypadDigit", "Ctrl+Num+3", 3},
                                           ClickKeyCase{"ctrl6", "Ctrl+6", 0}, ClickKeyCase{"ctrl0", "Ctrl+0", 0},
                                           ClickKeyCase{"plainDigit", "3", 0}, ClickKeyCase{"altDigit", "Alt+3", 0},
                                           ClickKeyCase{"ctrlShiftDigit", "Ctrl+Shift+3", 0}),
                         ByName{});

struct ArrowCase {
  const char* name;
  const char* key;
  Marker active;  // the marker dragged last
  float dx, dy;   // how far it moves; none when the key is not an arrow of the markers
  bool overlapped = false;  // the active marker lies on the other's centre
};

class ArrowKey : public ::testing::TestWithParam<ArrowCase> {};

// An arrow is a complete drag of the active marker by 1 unit (Shift: 10),
// the same as the pointer's drag there, even where the other marker covers it.
TEST_P(ArrowKey, IsACompleteDragOfTheActiveMarker) {
  const ArrowCase& c = GetParam();
  StartedLab keys, mouse;
  for (StartedLab* l : {&keys, &mouse}) {
    drag(*l, Marker::Source, -200.0f, 20.0f);
    drag(*l, Marker::Entry, -14.0f, 10.0f);
    if (c.active == Marker::Source && !c.overlapped) drag(*l, Marker::Source, -200.0f, 20.0f);
  }
  if (c.overlapped) {
    // Onto the other marker's centre, where a press would take the entry point.
    const lab::ShapeCentre other = centre(keys, c.active == Marker::Source ? Marker::Entry : Marker::Source);
    drag(keys, c.active, other.x, other.y);
  }
  ASSERT_EQ(keys.activeMarker(), c.active);
  const bool moves = c.dx != 0 || c.dy != 0;
  const std::size_t logged = keys.surface().log().size();
  const lab::ShapeCentre m = centre(keys, c.active);
  EXPECT_EQ(keys.key(keyOf(c.key)), moves);
  if (moves) {
    // The pointer's drag there, from where the marker stands alone.
    drag(mouse, c.active, m.x + c.dx, m.y + c.dy);
    ASSERT_EQ(mouse.activeMarker(), c.active);
  } else {
    EXPECT_EQ(keys.surface().log().size(), logged);
  }
  EXPECT_EQ(stateText(keys), stateText(mouse));
  EXPECT_TRUE(sameOps(sinceLastCls(keys), sinceLastCls(mouse)));
  EXPECT_FALSE(keys.DraggingPoint || keys.DraggingSource);

  // A focused bar keeps its arrows: the marker stays.
  const std::string state = stateText(keys);
  const std::size_t before = keys.surface().log().size();
  EXPECT_FALSE(keys.key(keyOf(c.key), false, true));
  EXPECT_EQ(stateText(keys), state);
  EXPECT_EQ(keys.surface().log().size(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArrowKey,
    ::testing::Values(ArrowCase{"right", "Right", Marker::Source, 1, 0}, ArrowCase{"left", "Left", Marker::Source, -1, 0},
                      ArrowCase{"up", "Up", Marker::Source, 0, 1}, ArrowCase{"down", "Down", Marker::Source, 0, -1},
                      ArrowCase{"shiftLeft", "Shift+Left", Marker::Source, -10, 0},
                      ArrowCase{"shiftUp", "Shift+Up", Marker::Source, 0, 10},
                      ArrowCase{"entryRight", "Right", Marker::Entry, 1, 0},
                      ArrowCase{"entryShiftDown", "Shift+Down", Marker::Entry, 0, -10},
                      ArrowCase{"keypadArrow", "Num+Left", Marker::Source, -1, 0},
                      ArrowCase{"sourceUnderEntry", "Shift+Right", Marker::Source, 10, 0, true},
                      ArrowCase{"entryOverSource", "Up", Marker::Entry, 0, 1, true},
                      ArrowCase{"ctrlArrow", "Ctrl+Left", Marker::Source, 0, 0},
                      ArrowCase{"altArrow", "Alt+Up", Marker::Source, 0, 0},
                      ArrowCase{"ctrlShiftArrow", "Ctrl+Shift+Right", Marker::Entry, 0, 0}),
    ByName{});

// ---------------------------------------------------------------- reset

enum class Ending { Idle, MessageOpen, SweepPausedByMessage, MarkerHeld, ThumbHeld, Playing, ClassicThumbHeld };

struct ResetCase {
  const char* name;
  Ending ending;
};

class ResetAfterSession : public ::testing::TestWithParam<ResetCase> {};

void busySession(lab::Lab& l) {
  drag(l, Marker::Source, -180.0f, 40.0f);
  drag(l, Marker::Entry, -14.0f, 12.0f);
  l.setBar(BarId::Height, 25);
  l.setBar(BarId::Rays, 30);
  l.click(5);
  l.thumbMoved(BarId::Time, 20);
  l.idle();
  l.thumbReleased(BarId::Time, 20);
  l.click(1);
  l.key(keyOf("Shift+Down"));
  l.click(3);
  l.setBar(BarId::Time, 97);
  l.playToEnd();
}

// What comes after the reset, the same in both labs.
void afterwards(lab::Lab& l) {
  l.thumbMoved(BarId::Time, 30);
  l.idle();
  l.thumbReleased(BarId::Time, 30);
  drag(l, Marker::Entry, -13.0f, -20.0f);
  l.click(5);
  l.key(keyOf("Right"));
  l.key(keyOf("Space"));
  l.settle();
}

// A reset leaves the lab as a fresh start does, whatever was going on.
TEST_P(ResetAfterSession, LeavesTheLabAsAFreshStart) {
  const ResetCase& c = GetParam();
  const bool classic = c.ending == Ending::ClassicThumbHeld;
  StartedLab l, fresh;
  l.setLive(!classic);
  fresh.setLive(!classic);
  busySession(l);
  switch (c.ending) {
    case Ending::Idle: break;
    case Ending::MessageOpen:
      failAt(l, kFailingTime);
      l.setBar(BarId::Time, kFailingTime);
      ASSERT_TRUE(l.busy());
      break;
    case Ending::SweepPausedByMessage:
      failAt(l, kFailingTime);
      l.setBar(BarId::Time, kFailingTime - 2);
      l.playToEnd();
      ASSERT_TRUE(l.busy());
      break;
    case Ending::MarkerHeld: {
      const lab::ShapeCentre s = centre(l, Marker::Source);
      l.pointerDown(s.x, s.y);
      l.pointerMove(-150.0f, 0.0f);
      ASSERT_TRUE(l.idlePending());
      break;
    }
    case Ending::ThumbHeld:
    case Ending::ClassicThumbHeld:
      l.thumbMoved(BarId::Height, 60);
      l.idle();
      l.thumbMoved(BarId::Time, 50);
      l.thumbMoved(BarId::Rays, 70);
      break;
    case Ending::Playing:
      l.setBar(BarId::Time, 40);
      l.startPlay();
      l.playTick();
      ASSERT_TRUE(l.playing());
      break;
  }
  l.afterChange = nullptr;
  l.reset();

  EXPECT_FALSE(l.busy());
  EXPECT_FALSE(l.playing());
  EXPECT_FALSE(l.idlePending());
  EXPECT_FALSE(l.DraggingPoint || l.DraggingSource);
  EXPECT_EQ(l.activeMarker(), Marker::Source);
  for (const BarId b : {BarId::Height, BarId::Rays, BarId::Time}) EXPECT_FALSE(l.thumbDown(b));
  EXPECT_EQ(stateText(l), stateText(fresh));
  EXPECT_TRUE(sameOps(sinceLastCls(l), sinceLastCls(fresh)));
  EXPECT_EQ(l.surface().refusedOperations(), fresh.surface().refusedOperations());

  afterwards(l);
  afterwards(fresh);
  EXPECT_EQ(l.controls().xronosmetato.value, lab::kTimeRange.max) << "Play ran after the reset";
  EXPECT_EQ(stateText(l), stateText(fresh));
  EXPECT_TRUE(sameOps(sinceLastCls(l), sinceLastCls(fresh)));
}

INSTANTIATE_TEST_SUITE_P(Endings, ResetAfterSession,
                         ::testing::Values(ResetCase{"idle", Ending::Idle}, ResetCase{"messageOpen", Ending::MessageOpen},
                                           ResetCase{"markerHeld", Ending::MarkerHeld},
                                           ResetCase{"thumbHeld", Ending::ThumbHeld}, ResetCase{"playing", Ending::Playing},
                                           ResetCase{"classicThumbHeld", Ending::ClassicThumbHeld}),
                         ByName{});

// A reset ends a sweep that a message paused: Play starts again afterwards.
INSTANTIATE_TEST_SUITE_P(PausedSweep, ResetAfterSession,
                         ::testing::Values(ResetCase{"sweepPausedByMessage", Ending::SweepPausedByMessage}), ByName{});

}  // namespace
