// Real mouse events, sent by Qt's test driver to the form inside a scrolled
// scroll area, arrive at the handlers at the world point under the pointer.
#include "canvas/Form.h"
#include "lab/Surface.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Event {
  char kind;
  float x, y;
};

TEST(FormMouse, PressMoveAndReleaseArriveInWorldUnitsAtThePointer) {
  canvas::Form form(QSize(800, 600));
  lab::Surface surface({800, 600}, &form.canvas);
  surface.Scale(-400, 300, 400, -300);  // one unit a pixel, origin in the middle, y up
  std::vector<Event> got;
  form.MouseDown = [&](int, int, float x, float y) { got.push_back({'d', x, y}); };
  form.MouseMove = [&](int, int, float x, float y) { got.push_back({'m', x, y}); };
  form.MouseUp = [&](int, int, float x, float y) { got.push_back({'u', x, y}); };
  QScrollArea area;
  area.setWidget(&form);
  area.resize(500, 400);  // smaller than the form: scrolled
  area.show();
  area.horizontalScrollBar()->setValue(120);
  area.verticalScrollBar()->setValue(70);
  const QPoint press(250, 180), move(610, 90), release(700, 520);
  QTest::mousePress(&form, Qt::LeftButton, {}, press);
  QTest::mouseMove(&form, move);
  QTest::mouseRelease(&form, Qt::LeftButton, {}, release);
  const std::vector<std::pair<char, QPoint>> want{{'d', press}, {'m', move}, {'u', release}};
  std::size_t matched = 0;
  for (const Event& e : got) {
    if (matched < want.size() && e.kind == want[matched].first) {
      EXPECT_NEAR(e.x, want[matched].second.x() - 400, 1.0) << e.kind;
      EXPECT_NEAR(e.y, 300 - want[matched].second.y(), 1.0) << e.kind;
      ++matched;
    }
  }
  EXPECT_EQ(matched, want.size());
  area.takeWidget();  // the form is the test's, not the area's
}

}  // namespace
