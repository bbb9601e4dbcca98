// Everything from the keyboard alone, in the window: M makes the other marker
// the one the arrows move (and the ring follows), Tab reaches each scroll
// bar (a box shows which), a focused bar's arrows move it, Ctrl+1 ... 5 and
// Space work the buttons and Play; no shortcut means two things.
#include "TestWindow.h"

#include "views/GraphView.h"
#include "window/FocusRing.h"
#include "window/ViewMenu.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

using testing_support::CentreOf;
using testing_support::TestWindow;

// The focus ring widgets of the form, shown ones only.
std::vector<const app::FocusRing*> shownRings(canvas::Form& f) {
  std::vector<const app::FocusRing*> out;
  for (const app::FocusRing* r : f.findChildren<app::FocusRing*>()) {
    if (r->isVisible()) out.push_back(r);
  }
  return out;
}

// The window on the screen, the keyboard's focus on its client area.
bool showWithFocus(TestWindow& t) {
  t.w().show();
  if (!QTest::qWaitForWindowExposed(&t.w())) return false;
  t.w().activateWindow();
  t.form().setFocus();
  QApplication::processEvents();
  return true;
}

TEST(Keyboard, EveryActivityWithoutAPointer) {
  TestWindow t(QSize(960, 600));
  ASSERT_TRUE(showWithFocus(t));
  canvas::Form& f = t.form();
  ASSERT_EQ(t.w().lab().activeMarker(), lab::Marker::Source);

  // M: the entry point is the active marker, and the ring goes round it.
  QTest::keyClick(&f, Qt::Key_M);
  ASSERT_EQ(t.w().lab().activeMarker(), lab::Marker::Entry);
  const QRect entry = f.shmeio.widget()->geometry();
  bool ringed = false;
  for (const app::FocusRing* r : shownRings(f)) ringed |= r->geometry().contains(entry);
  EXPECT_TRUE(ringed) << "no ring round the entry point";
  const lab::ShapeCentre before = CentreOf(f.shmeio);
  QTest::keyClick(&f, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_FLOAT_EQ(CentreOf(f.shmeio).y, before.y + 10);
  EXPECT_TRUE(t.form().Label2.Caption().startsWith(QStringLiteral("time ="))) << t.form().Label2.Caption().toStdString();
  QTest::keyClick(&f, Qt::Key_M);
  EXPECT_EQ(t.w().lab().activeMarker(), lab::Marker::Source);

  // The buttons.
  QTest::keyClick(&f, Qt::Key_1, Qt::ControlModifier);
  EXPECT_FALSE(t.form().Label3.Caption().isEmpty()) << "Ctrl+1 did not find the least-time path";

  // Tab reaches every bar; a box shows the focused one; its arrows move it.
  std::map<const QScrollBar*, bool> reached;
  for (int i = 0; i < 12 && reached.size() < 3; ++i) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f, Qt::Key_Tab);
    for (const canvas::ScrollBar* b : {&f.thesiy, &f.arithmosaktinon, &f.xronosmetato}) {
      if (QApplication::focusWidget() != b->bar()) continue;
      reached[b->bar()] = true;
      bool boxed = false;
      for (const app::FocusRing* r : shownRings(f)) boxed |= r->geometry().contains(b->widget()->geometry());
      EXPECT_TRUE(boxed) << "the focused bar shows no focus";
    }
  }
  EXPECT_EQ(reached.size(), 3u) << "Tab does not reach every scroll bar";
  f.arithmosaktinon.bar()->setFocus();
  const int rays = t.w().lab().controls().arithmosaktinon.value;
  QTest::keyClick(f.arithmosaktinon.bar(), Qt::Key_Down);
  QTest::keyClick(f.arithmosaktinon.bar(), Qt::Key_Up);
  QTest::keyClick(f.arithmosaktinon.bar(), Qt::Key_PageUp);
  EXPECT_NE(t.w().lab().controls().arithmosaktinon.value, rays) << "the focused bar's keys do not move it";

  // The bundle continued, then Space plays the time sweep.
  f.setFocus();
  QTest::keyClick(&f, Qt::Key_5, Qt::ControlModifier);
  EXPECT_TRUE(t.w().lab().results().bundleContinuation().has_value());
  QTest::keyClick(&f, Qt::Key_Space);
  EXPECT_TRUE(t.w().lab().playing());
  QTest::keyClick(&f, Qt::Key_Space);
  EXPECT_FALSE(t.w().lab().playing());
}

// One meaning per shortcut across the main window's menus (and the graph
// window's, which is a window of its own but opens over the main one).
TEST(Keyboard, NoShortcutMeansTwoThings) {
  TestWindow t(QSize(960, 600));
  t.w().viewMenu().openGraphs();
  ASSERT_NE(t.w().viewMenu().graphView(), nullptr);
  std::map<QString, QString> seen;
  const QList<QAction*> actions = t.w().findChildren<QAction*>();
  for (const QAction* a : actions) {
    for (const QKeySequence& k : a->shortcuts()) {
      const QString key = k.toString(QKeySequence::PortableText);
      const auto [it, fresh] = seen.emplace(key, a->text());
      EXPECT_TRUE(fresh || it->second == a->text()) << key.toStdString() << ": " << it->second.toStdString() << " and "
                                                    << a->text().toStdString();
    }
  }
  EXPECT_GE(seen.size(), 8u);
}

// Tab reaches each marker: the one focused is the active one, ringed, and the
// arrows move it.
TEST(Keyboard, TabReachesTheMarkers) {
  TestWindow t(QSize(960, 600));
  ASSERT_TRUE(showWithFocus(t));
  canvas::Form& f = t.form();
  bool source = false, entry = false;
  for (int i = 0; i < 20 && !(source && entry); ++i) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f, Qt::Key_Tab);
    QApplication::processEvents();
    const QWidget* focus = QApplication::focusWidget();
    if (focus == f.shmeio.widget()) {
      entry = true;
      EXPECT_EQ(t.w().lab().activeMarker(), lab::Marker::Entry);
      bool ringed = false;
      for (const app::FocusRing* r : shownRings(f)) ringed |= r->geometry().contains(f.shmeio.widget()->geometry());
      EXPECT_TRUE(ringed) << "no ring round the focused entry point";
      const lab::ShapeCentre before = CentreOf(f.shmeio);
      QTest::keyClick(f.shmeio.widget(), Qt::Key_Up);
      EXPECT_FLOAT_EQ(CentreOf(f.shmeio).y, before.y + 1);
    }
    if (focus == f.kyklos.widget()) {
      source = true;
      EXPECT_EQ(t.w().lab().activeMarker(), lab::Marker::Source);
    }
  }
  EXPECT_TRUE(source) << "Tab never reached the source";
  EXPECT_TRUE(entry) << "Tab never reached the entry point";
}

}  // namespace
