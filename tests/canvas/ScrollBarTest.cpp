// A vertical scroll bar whose Min (99) stands at the top and exceeds its Max
// (-99), as the bar that sets the target height.
#include "canvas/ScrollBar.h"

#include "canvas/Canvas.h"

#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class HeightBar : public ::testing::Test {
 protected:
  HeightBar() { bar.onChange([this] { ++changes; }); }

  canvas::Canvas canvas{QSize(400, 300)};
  QWidget parent;
  canvas::ScrollBar bar{canvas, &parent, Qt::Vertical, QRectF(0, 0, 255, 3000), 99, -99, 10, 1, 0};
  int changes = 0;
};

class HeightBarValue : public HeightBar, public ::testing::WithParamInterface<int> {};

TEST_P(HeightBarValue, ValueReadsBackAndStandsInProportionFromTheTop) {
  const int v = GetParam();
  ASSERT_TRUE(bar.setValue(v));
  EXPECT_EQ(bar.Value(), v);
  // Min at the top: the thumb's share of the travel from the top is (Min - v) / (Min - Max).
  const QScrollBar& q = *bar.bar();
  const double fromTop = double(q.value() - q.minimum()) / (q.maximum() - q.minimum());
  EXPECT_DOUBLE_EQ(fromTop, (99.0 - v) / 198.0);
  EXPECT_EQ(changes, v == 0 ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Range, HeightBarValue, ::testing::Values(99, 71, 1, 0, -1, -50, -99));

class HeightBarOutOfRange : public HeightBar, public ::testing::WithParamInterface<int> {};

TEST_P(HeightBarOutOfRange, IsRefusedAndChangesNothing) {
  ASSERT_TRUE(bar.setValue(42));
  changes = 0;
  EXPECT_FALSE(bar.setValue(GetParam()));
  EXPECT_EQ(bar.Value(), 42);
  EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Range, HeightBarOutOfRange, ::testing::Values(100, -100, 32767, -32768));

TEST_F(HeightBar, StartsAtItsDesignValueWithItsRange) {
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(bar.Min(), 99);
  EXPECT_EQ(bar.Max(), -99);
  EXPECT_TRUE(bar.contains(-99));
  EXPECT_FALSE(bar.contains(100));
}

TEST_F(HeightBar, ChangeFiresOncePerNewValueAndNotForTheSameValue) {
  EXPECT_TRUE(bar.setValue(0));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(bar.setValue(30));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bar.setValue(30));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bar.setValue(-30));
  EXPECT_EQ(changes, 2);
}

TEST_F(HeightBar, StepsDownwardsLowerTheValue) {
  // A click on the lower arrow, then on the track below the thumb.
  bar.bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar.Value(), -1);
  EXPECT_EQ(changes, 1);
  bar.bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar.Value(), -11);
  EXPECT_EQ(changes, 2);
  bar.bar()->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(bar.Value(), 99);
}

}  // namespace
