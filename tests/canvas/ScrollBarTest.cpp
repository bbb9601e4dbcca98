// A vertical scroll bar whose Min (99) stands at the top and exceeds its Max
// (-99), as the bar that sets the target height.
#include "canvas/ScrollBar.h"

#include "canvas/Form.h"

#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class HeightBar : public ::testing::TestWithParam<int> {
 protected:
  HeightBar() {
    bar.onChange([this] { ++changes; });
  }
  QWidget parent;
  canvas::ScrollBar bar{&parent, Qt::Vertical, QRectF(0, 0, 255, 3000), 99, -99, 10, 1, 0};
  int changes = 0;
};

TEST_P(HeightBar, ValueReadsBackThumbStandsFromTheTopAndArrowDownLowersIt) {
  const int v = GetParam();
  ASSERT_TRUE(bar.setValue(v));
  EXPECT_EQ(bar.Value(), v);
  const QScrollBar& q = *bar.bar();
  EXPECT_DOUBLE_EQ(double(q.value() - q.minimum()) / (q.maximum() - q.minimum()), (99.0 - v) / 198.0);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bar.setValue(v));
  EXPECT_EQ(changes, 1) << "the same value again fires nothing";
  EXPECT_FALSE(bar.setValue(v > 0 ? 100 : -100)) << "out of range";
  EXPECT_EQ(bar.Value(), v);
  bar.bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the lower arrow
  EXPECT_EQ(bar.Value(), std::max(v - 1, -99));
}

INSTANTIATE_TEST_SUITE_P(Range, HeightBar, ::testing::Values(99, 71, -1, -99));

// Dragging a thumb changes nothing until it is let go: the time slider reruns the whole bundle continuation on
// every change, and the target height clears the picture.
TEST(FormBars, ThumbDragChangesTheValueOnlyOnRelease) {
  canvas::Form form(QSize(640, 400));
  for (canvas::ScrollBar* bar : {&form.xronosmetato, &form.thesiy, &form.arithmosaktinon}) {
    int changes = 0;
    bar->onChange([&] { ++changes; });
    const int before = bar->Value();
    QScrollBar& q = *bar->bar();
    q.setSliderDown(true);
    q.setSliderPosition(q.minimum() + (q.maximum() - q.minimum()) / 3);
    q.setSliderPosition(q.minimum() + (q.maximum() - q.minimum()) / 4);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bar->Value(), before);
    q.setSliderDown(false);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(bar->Value(), before);
  }
}

}  // namespace
