// The live side of the window: what it draws while the hand moves, and that
// every complete action still ends exactly where the event procedures alone
// (live off, "classic") end. Real Qt events where the event loop matters.
#include "Sessions.h"
#include "TestWindow.h"
#include "WindowState.h"

#include "cli/Actions.h"
#include "window/LiveLab.h"
#include "lab/Trace.h"
#include "core/BundleContinuation.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using app::Action;
using testing_support::TestWindow;
using Kind = Action::Kind;

constexpr QSize kSessionSize{640, 400};

using testing_support::difference;
using testing_support::State;
using testing_support::stateOf;

bool dragging(TestWindow& t) {
  return t.w().lab().DraggingPoint || t.w().lab().DraggingSource;
}

// Live and classic windows get the same user input; after each complete
// action (no marker held) they must agree on everything.
class LiveAndClassic : public ::testing::TestWithParam<int> {};

TEST_P(LiveAndClassic, EndEveryCompleteActionInTheSameState) {
  TestWindow live(kSessionSize), classic(kSessionSize);
  classic.w().live().setLive(false);
  const std::vector<Action> actions = testing_support::RandomSession(static_cast<std::uint32_t>(GetParam()), 40);
  for (std::size_t i = 0; i < actions.size(); ++i) {
    for (const Action& input : testing_support::AsUserInput(live.w(), actions[i])) {
      app::RunAction(live.w(), input);
      app::RunAction(classic.w(), input);
    }
    ASSERT_EQ(dragging(live), dragging(classic));
    if (dragging(live)) continue;  // mid-drag the live picture differs by design
    ASSERT_EQ(difference(stateOf(live), stateOf(classic)), "")
        << "after action " << i << " (" << app::ActionText(actions[i]) << ") of session " << GetParam();
  }
  EXPECT_EQ(classic.w().lab().dragRedraws(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sessions, LiveAndClassic, ::testing::Range(0, 24));

// A shown window at the default size, for real events.
struct ShownWindow : TestWindow {
  ShownWindow() {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void sendMove(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, form().mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form(), &move);
  }
  void sendKey(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QCoreApplication::sendEvent(&form(), &press);
  }
  // Waits for the sweep to end, at most a few seconds.
  void waitForSweep() {
    for (int i = 0; i < 300 && w().lab().playing(); ++i) QTest::qWait(20);
  }
};

class MarkerDrag : public ::testing::TestWithParam<bool> {};  // true: the source, false: the entry point

TEST_P(MarkerDrag, MovesShowWhatTheReleaseWouldAndCoalesceToTheNewest) {
  ShownWindow t;
  canvas::Form& f = t.form();
  canvas::Shape& marker = GetParam() ? f.kyklos : f.shmeio;
  const QPoint start = marker.widget()->geometry().center();
  QTest::mousePress(&f, Qt::LeftButton, {}, start);
  ASSERT_TRUE(GetParam() ? t.w().lab().DraggingSource : t.w().lab().DraggingPoint);
  t.surface().clearLog();
  const int redraws = t.w().lab().dragRedraws();
  const QPoint last = start + QPoint(-30, 25);
  for (const QPoint at : {start + QPoint(-10, 5), start + QPoint(-20, 15), last}) t.sendMove(at);
  EXPECT_TRUE(t.log().empty()) << "a move draws only once the event loop is idle";
  QCoreApplication::processEvents();
  EXPECT_EQ(t.w().lab().dragRedraws(), redraws + 1) << "three moves, one redraw of the newest";
  const State shown = stateOf(t);
  QTest::mouseRelease(&f, Qt::LeftButton, {}, last);
  EXPECT_FALSE(dragging(t));
  EXPECT_EQ(difference(shown, stateOf(t)), "") << "the release shows what the last move showed";
  EXPECT_EQ(t.w().lab().activeMarker(), GetParam() ? lab::Marker::Source : lab::Marker::Entry);

  // Classic: a move draws nothing at all.
  t.w().live().setLive(false);
  QTest::mousePress(&f, Qt::LeftButton, {}, marker.widget()->geometry().center());
  t.surface().clearLog();
  const QString time = f.Label2.Caption();
  t.sendMove(start);
  QCoreApplication::processEvents();
  EXPECT_TRUE(t.log().empty());
  EXPECT_EQ(f.Label2.Caption(), time);
  QTest::mouseRelease(&f, Qt::LeftButton, {}, start);
}

INSTANTIATE_TEST_SUITE_P(Markers, MarkerDrag, ::testing::Bool());

// The centre of a bar's thumb, in the bar's pixels.
QPoint thumbCentre(const QScrollBar& bar) {
  QStyleOptionSlider opt;
  opt.initFrom(&bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = bar.orientation();
  opt.minimum = bar.minimum();
  opt.maximum = bar.maximum();
  opt.sliderPosition = bar.sliderPosition();
  opt.sliderValue = bar.value();
  opt.singleStep = bar.singleStep();
  opt.pageStep = bar.pageStep();
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, &bar).center();
}

int clears(TestWindow& t) {
  int n = 0;
  for (const lab::Op& op : t.log()) n += op.kind == lab::Op::Kind::Cls;
  return n;
}

TEST(ThumbDrag, TimeThumbRedrawsEachValueAndTheReleaseRunsNothingAgain) {
  ShownWindow t;
  canvas::ScrollBar& time = t.form().xronosmetato;
  QScrollBar* bar = time.bar();
  const QPoint grip = thumbCentre(*bar);
  QTest::mousePress(bar, Qt::LeftButton, {}, grip);
  ASSERT_TRUE(bar->isSliderDown());
  for (const int dx : {15, 40}) {
    t.surface().clearLog();
    QTest::mouseMove(bar, grip + QPoint(dx, 0));
    QCoreApplication::processEvents();
    ASSERT_GT(time.Value(), 5);
    EXPECT_EQ(time.Value(), bar->sliderPosition());
    EXPECT_EQ(t.form().Label6.Caption(), QStringLiteral("t=%1").arg(time.Value()));
    EXPECT_EQ(clears(t), 1) << "one redraw for the newest thumb position";
  }
  t.surface().clearLog();
  QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(40, 0));
  EXPECT_TRUE(t.log().empty()) << "the value shown is not constructed a second time";
}

// Presses the bar's thumb, moves it 30 pixels along the bar and lets the
// event loop draw that value; returns where the thumb was grabbed.
QPoint grabThumbAndMoveAway(QScrollBar& bar) {
  const QPoint grip = thumbCentre(bar);
  const QPoint away = bar.orientation() == Qt::Horizontal ? QPoint(30, 0) : QPoint(0, 30);
  QTest::mousePress(&bar, Qt::LeftButton, {}, grip);
  QTest::mouseMove(&bar, grip + away);
  QCoreApplication::processEvents();
  return grip;
}

TEST(ThumbDrag, ThumbsBroughtBackToWhereTheyStartedLeaveEverythingAsBefore) {
  ShownWindow t;
  t.form().Command2.click();  // a bundle the classic bar would keep
  for (canvas::ScrollBar* b : {&t.form().xronosmetato, &t.form().thesiy, &t.form().arithmosaktinon}) {
    const State before = stateOf(t);
    QScrollBar* bar = b->bar();
    const QPoint grip = grabThumbAndMoveAway(*bar);
    ASSERT_NE(b->Value(), before.bars[b == &t.form().thesiy ? 0 : b == &t.form().arithmosaktinon ? 1 : 2]);
    QTest::mouseMove(bar, grip);
    QCoreApplication::processEvents();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grip);
    EXPECT_EQ(difference(before, stateOf(t)), "");
  }
}

// Brought back and let go before the event loop drew the return: the bar
// still shows the last live value, and the release must put the start value
// back without running its Change, as the classic bar changes nothing: no
// redraw, and no message box that the Change would raise.
TEST(ThumbDrag, ThumbsLetGoAtTheirStartAtOnceChangeNothing) {
  ShownWindow t;
  t.form().Command5.click();  // a continuation the height bar's Change would clear
  // One whose searches failed: every time Change draws it with its message box.
  core::BundleContinuationResult c = *t.w().model().bundleContinuation();
  core::BundleWavelets w = *t.w().model().bundleWavelets();
  c.Construction.ops.push_back(core::DrawOp{.kind = core::DrawOp::Kind::Message, .text = "δε βρέθηκε"});
  t.w().model().setBundleContinuation(std::move(c), std::move(w));
  for (canvas::ScrollBar* b : {&t.form().xronosmetato, &t.form().thesiy, &t.form().arithmosaktinon}) {
    const State before = stateOf(t);
    const int start = b->Value();
    QScrollBar* bar = b->bar();
    const QPoint grip = grabThumbAndMoveAway(*bar);
    ASSERT_NE(b->Value(), start) << "shown live";
    QTest::mouseMove(bar, grip);
    t.surface().clearLog();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grip);
    EXPECT_EQ(b->Value(), start);
    EXPECT_EQ(clears(t), 0) << "no Change ran on the release";
    EXPECT_EQ(difference(before, stateOf(t)), "");
  }
}

// Classic: a thumb held and moved changes no value and draws nothing; only
// the release applies the value, with one ordinary Change.
TEST(ThumbDrag, ClassicBarsStayStillUntilTheRelease) {
  TestWindow t;
  t.w().live().setLive(false);
  for (canvas::ScrollBar* b : {&t.form().xronosmetato, &t.form().thesiy, &t.form().arithmosaktinon}) {
    const State before = stateOf(t);
    const int start = b->Value();
    const int to = b == &t.form().thesiy ? 40 : 60;
    QScrollBar* bar = b->bar();
    bar->setSliderDown(true);
    for (const int v : {(start + to) / 2, to}) {
      bar->setSliderPosition(b->toQt(v));
      t.w().live().settle();
      QCoreApplication::processEvents();
    }
    EXPECT_EQ(b->Value(), start);
    EXPECT_EQ(difference(before, stateOf(t)), "") << "nothing drawn or written while held";
    t.surface().clearLog();
    bar->setSliderDown(false);
    EXPECT_EQ(b->Value(), to);
    EXPECT_EQ(clears(t), b == &t.form().arithmosaktinon ? 0 : 1) << "one Change (the ray count's draws nothing)";
  }
}

// A thumb drag of the time bar as the event loop delivers it: the thumb
// pressed, moved to each live value with the loop idle after it (the value is
// drawn), moved to `release` without an idle moment, and let go there.
void dragTimeThumb(TestWindow& t, const std::vector<int>& live, int release) {
  canvas::ScrollBar& time = t.form().xronosmetato;
  QScrollBar* bar = time.bar();
  bar->setSliderDown(true);
  for (const int v : live) {
    bar->setSliderPosition(time.toQt(v));
    t.w().live().settle();
  }
  bar->setSliderPosition(time.toQt(release));
  bar->setSliderDown(false);
  t.w().live().settle();
}

// A release ahead of the last value drawn applies its own value as the classic
// bar does: from the drawing state the drag started with, not the one the
// live value's construction left behind.
TEST(ThumbDrag, ReleasedAheadOfTheLastLiveValueEndsAsTheClassicBar) {
  for (const int button : {2, 3}) {  // the bundle leaves fills off: the next target marker is a ring
    TestWindow live(kSessionSize), classic(kSessionSize);
    classic.w().live().setLive(false);
    for (TestWindow* t : {&live, &classic}) {
      app::RunAction(t->w(), {.kind = Kind::Press, .value = button});
      dragTimeThumb(*t, {30}, 60);
    }
    ASSERT_EQ(live.form().xronosmetato.Value(), 60);
    EXPECT_EQ(difference(stateOf(live), stateOf(classic)), "") << "after button " << button;
  }
}

// The message boxes of a thumb drag: none opens while the thumb is held; on
// the release the user sees the boxes of the value the bar ends at, as the
// classic bar shows them, and no others.
struct HeldCase {
  const char* name;
  std::vector<int> live;  // values drawn while the thumb is held
  int release;            // where the thumb is let go
  int failsAt;            // the value whose construction raises a box
  std::size_t boxes;      // boxes seen after the release
};

class HeldMessages : public ::testing::TestWithParam<HeldCase> {};

TEST_P(HeldMessages, OpenOnlyOnTheReleaseAndOnlyForTheValueTheBarEndsAt) {
  const HeldCase& c = GetParam();
  TestWindow live(kSessionSize), classic(kSessionSize);
  classic.w().live().setLive(false);
  for (TestWindow* t : {&live, &classic}) {
    canvas::Form& f = t->form();
    f.xronosmetato.setValue(20);
    // A failed search at one value, as the continuation reports it.
    lab::Lab& l = t->w().lab();
    l.afterChange = [&l, failsAt = c.failsAt](lab::BarId id) {
      if (id != lab::BarId::Time || l.controls().xronosmetato.value != failsAt) return;
      core::Drawing failed;
      failed.Message("δε βρέθηκε");
      l.replay(failed);
    };
  }
  std::size_t duringDrag = 0;
  live.form().setMessageHandler([&](const QString& text) {
    duringDrag += live.form().xronosmetato.bar()->isSliderDown();
    live.messages.push_back(text);
  });
  for (TestWindow* t : {&live, &classic}) dragTimeThumb(*t, c.live, c.release);
  EXPECT_EQ(duringDrag, 0u) << "no modal box in the middle of a drag";
  EXPECT_EQ(classic.messages.size(), c.boxes);
  EXPECT_EQ(live.messages, classic.messages);
  EXPECT_EQ(difference(stateOf(live), stateOf(classic)), "");
}

INSTANTIATE_TEST_SUITE_P(Releases, HeldMessages,
                         ::testing::Values(HeldCase{"atTheFailingLiveValue", {30, 40}, 40, 40, 1},
                                           HeldCase{"atALiveValueAfterTheFailingOne", {40, 50}, 50, 40, 0},
                                           HeldCase{"aheadOfTheFailingLiveValue", {30, 40}, 60, 40, 0},
                                           HeldCase{"whereTheDragStarted", {40}, 20, 40, 0},
                                           HeldCase{"atAFailingValueNotDrawnLive", {30}, 40, 40, 1}),
                         testing_support::ByName{});

TEST(Play, SweepsToTheEndAndEndsAsTheBarSetToItsMaximum) {
  ShownWindow t;
  TestWindow direct;
  t.form().xronosmetato.setValue(95);
  t.sendKey(Qt::Key_Space);
  EXPECT_TRUE(t.w().lab().playing());
  EXPECT_EQ(t.w().live().playButton().text(), QStringLiteral("❚❚"));
  t.waitForSweep();
  EXPECT_FALSE(t.w().lab().playing());
  EXPECT_EQ(t.w().live().playButton().text(), QStringLiteral("▶"));
  direct.form().xronosmetato.setValue(100);
  t.messages.clear();
  EXPECT_EQ(difference(stateOf(t), stateOf(direct)), "");

  // At the end already, Play starts again from the minimum.
  QTest::mouseClick(&t.w().live().playButton(), Qt::LeftButton);
  EXPECT_TRUE(t.w().lab().playing());
  EXPECT_EQ(t.form().xronosmetato.Value(), 5);
  QTest::qWait(100);
  QTest::mouseClick(&t.w().live().playButton(), Qt::LeftButton);  // Pause
  EXPECT_FALSE(t.w().lab().playing());
  const int paused = t.form().xronosmetato.Value();
  EXPECT_LT(paused, 100);
  QTest::qWait(100);
  EXPECT_EQ(t.form().xronosmetato.Value(), paused);
}

TEST(Play, AnyOtherInputStopsTheSweep) {
  ShownWindow t;
  const auto stopsOn = [&t](const std::function<void()>& input) {
    t.form().xronosmetato.setValue(5);
    t.sendKey(Qt::Key_Space);
    EXPECT_TRUE(t.w().lab().playing());
    input();
    return !t.w().lab().playing();
  };
  EXPECT_TRUE(stopsOn([&] { QTest::mouseClick(&t.form(), Qt::LeftButton, {}, QPoint(5, 300)); }));
  EXPECT_TRUE(stopsOn([&] { t.sendKey(Qt::Key_Left); }));
  EXPECT_TRUE(stopsOn([&] { QTest::keyClick(t.form().thesiy.bar(), Qt::Key_Down); }));
  EXPECT_TRUE(stopsOn([&] { t.sendKey(Qt::Key_Space); }));
}

// A message box stands for a modal one: its handler runs a nested event loop
// for a while, as QMessageBox does, and notes what was drawn meanwhile.
struct ModalBox {
  TestWindow& t;
  int boxes = 0;
  std::size_t drawnInside = 0;
  explicit ModalBox(TestWindow& window) : t(window) {
    t.form().setMessageHandler([this](const QString&) {
      ++boxes;
      const std::size_t before = t.log().size();
      QTest::qWait(300);  // several ticks of the sweep, and any queued redraw
      drawnInside += t.log().size() - before;
    });
  }
};

TEST(ModalBox, OpenedByAStepStopsTheSweepAndNothingRunsInsideIt) {
  ShownWindow t;
  ModalBox box(t);
  canvas::Form& f = t.form();
  // A continuation that raises a box at 93, as a failed search would; the
  // first step (run by the key itself, outside the timer) and a later one.
  lab::Lab& l = t.w().lab();
  l.afterChange = [&l](lab::BarId id) {
    if (id != lab::BarId::Time || l.controls().xronosmetato.value != 93) return;
    core::Drawing failed;
    failed.Message("δε βρέθηκε");
    l.replay(failed);
  };
  for (const int from : {92, 90}) {
    f.xronosmetato.setValue(from);
    box.boxes = 0;
    t.sendKey(Qt::Key_Space);
    t.waitForSweep();
    EXPECT_EQ(box.boxes, 1);
    EXPECT_EQ(box.drawnInside, 0u);
    EXPECT_EQ(f.xronosmetato.Value(), 93);
    EXPECT_FALSE(t.w().lab().playing());
  }
}

TEST(ModalBox, OpenedDuringALiveDragDrawsNothingInsideAndTheDragGoesOnAfter) {
  ShownWindow t;
  ModalBox box(t);
  t.dragSource(-300.0f, 0.0f);
  t.form().thesiy.setValue(30);  // the ray through 30 leaves upwards: button 4 says so in a box
  const QPoint source = t.form().kyklos.widget()->geometry().center();
  QTest::mousePress(&t.form(), Qt::LeftButton, {}, source);
  t.sendMove(source + QPoint(-5, 5));         // a live redraw is now pending
  t.sendKey(Qt::Key_4, Qt::ControlModifier);  // the button's construction opens the box
  EXPECT_EQ(box.boxes, 1);
  EXPECT_EQ(box.drawnInside, 0u);
  const int redraws = t.w().lab().dragRedraws();
  t.sendMove(source + QPoint(-9, 9));
  QCoreApplication::processEvents();
  EXPECT_EQ(t.w().lab().dragRedraws(), redraws + 1);
  QTest::mouseRelease(&t.form(), Qt::LeftButton, {}, source + QPoint(-9, 9));
}

struct KeyCase {
  const char* name;
  const char* key;
  bool source;  // the marker made active first
  float dx, dy;
};

class KeyMove : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMove, IsACompleteDragOfTheActiveMarker) {
  const KeyCase& c = GetParam();
  TestWindow keys, mouse;
  for (TestWindow* t : {&keys, &mouse}) {
    t->dragSource(-200.0f, 20.0f);
    t->dragEntry(-14.0f, 10.0f);
    if (c.source) t->dragSource(-200.0f, 20.0f);
  }
  const QImage before = keys.canvas().image();
  EXPECT_EQ(keys.w().lab().activeMarker(), c.source ? lab::Marker::Source : lab::Marker::Entry);
  EXPECT_EQ(keys.canvas().image(), before) << "the focus ring stays out of the picture";
  app::RunAction(keys.w(), {.kind = Kind::Key, .value = *app::ParseKey(c.key)});
  const lab::ShapeCentre m = testing_support::CentreOf(c.source ? mouse.form().kyklos : mouse.form().shmeio);
  (c.source ? mouse.dragSource(m.x + c.dx, m.y + c.dy) : mouse.dragEntry(m.x + c.dx, m.y + c.dy));
  EXPECT_EQ(difference(stateOf(keys), stateOf(mouse)), "");
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyMove,
                         ::testing::Values(KeyCase{"right", "Right", true, 1, 0},
                                           KeyCase{"shiftUp", "Shift+Up", true, 0, 10},
                                           KeyCase{"leftEntry", "Left", false, -1, 0},
                                           KeyCase{"shiftDownEntry", "Shift+Down", false, 0, -10}),
                         testing_support::ByName{});

TEST(Keys, CtrlDigitClicksTheButtonAndAFocusedBarKeepsItsArrows) {
  TestWindow keys, mouse;
  app::RunAction(keys.w(), {.kind = Kind::Key, .value = *app::ParseKey("Ctrl+3")});
  mouse.form().Command3.click();
  EXPECT_EQ(difference(stateOf(keys), stateOf(mouse)), "");

  const lab::ShapeCentre source = testing_support::CentreOf(keys.form().kyklos);
  keys.form().thesiy.bar()->setFocus();
  app::RunAction(keys.w(), {.kind = Kind::Key, .value = *app::ParseKey("Down")});
  EXPECT_EQ(keys.form().thesiy.Value(), -1);
  EXPECT_EQ(testing_support::CentreOf(keys.form().kyklos).y, source.y);
}

// A focused scroll bar keeps its own arrow keys: the bar moves, the markers stay.
struct FocusedBarCase {
  const char* name;
  canvas::ScrollBar canvas::Form::*bar;
  const char* key;
};

class FocusedBar : public ::testing::TestWithParam<FocusedBarCase> {};

TEST_P(FocusedBar, KeepsItsArrowKeys) {
  const FocusedBarCase& c = GetParam();
  TestWindow t(kSessionSize);
  canvas::ScrollBar& bar = t.form().*c.bar;
  bar.setValue(50);
  const State before = stateOf(t);
  bar.bar()->setFocus();
  app::RunAction(t.w(), {.kind = Kind::Key, .value = *app::ParseKey(c.key)});
  EXPECT_EQ(std::abs(bar.Value() - 50), 1) << "one small step of the bar";
  EXPECT_EQ(stateOf(t).markers, before.markers);
}

INSTANTIATE_TEST_SUITE_P(Bars, FocusedBar,
                         ::testing::Values(FocusedBarCase{"heightUp", &canvas::Form::thesiy, "Up"},
                                           FocusedBarCase{"raysLeft", &canvas::Form::arithmosaktinon, "Left"},
                                           FocusedBarCase{"timeRight", &canvas::Form::xronosmetato, "Right"},
                                           FocusedBarCase{"timeDown", &canvas::Form::xronosmetato, "Down"}),
                         testing_support::ByName{});

TEST(Stacking, TheEntryPointShowsAboveTheSourceWhereAPressTakesIt) {
  TestWindow t;
  t.dragSource(-100.0f, 10.0f);
  t.dragEntry(-100.0f, 10.0f);
  const QPoint centre = t.form().shmeio.widget()->geometry().center();
  EXPECT_EQ(QColor(t.form().snapshot().pixel(centre)), QColor(0, 0, 255));
  t.form().MouseDown(1, 0, -100.0f, 10.0f);
  EXPECT_TRUE(t.w().lab().DraggingPoint);
}

}  // namespace
