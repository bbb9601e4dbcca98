#pragma once

#include <QString>

#include <QWidget>

class QAbstractSeries;
class QBoxLayout;
class QChart;
class QChartView;
class QValueAxis;

namespace views {

// A closed range of finite values, grown one value at a time.
struct Span {
  double lo = 0, hi = 0;
  bool empty = true;
  void add(double v);
};

// Two value axes titled as given, added to the chart at the bottom and left.
struct ChartAxes {
  QValueAxis* x = nullptr;
  QValueAxis* y = nullptr;
};
ChartAxes AddAxes(QChart& chart, const QString& xTitle, const QString& yTitle);

// Sets the axis to the span with a margin of a twentieth on either side (one
// unit for a single value) and rounds it to tick-friendly numbers; ticks are
// labelled in the printf format given, or with six significant digits when the
// numbers are too large for decimals.
void FitAxis(QValueAxis& axis, Span span, const QString& labelFormat);

// A chart in a view of its own, antialiased, with the title given.
QChartView* NewChartView(QWidget* parent, const QString& title = {});

// Sets the view's chart title, broken into lines (after a "; " first) where
// it would not fit the view's width in one, and again whenever the view is
// resized (a chart elides a long title to "..."). `title` is plain text;
// `small`, if given, a second part in a smaller type.
void SetWrappedTitle(QChartView& view, const QString& title, const QString& small = {});

// Two charts one above the other, or side by side where the space is wide
// and low (a graph window on a small screen): stacked there, each would be
// too low for its axes' titles and tick labels, which Qt Charts then elides.
class ChartPair final : public QWidget {
 public:
  ChartPair(QWidget* parent, QWidget* first, QWidget* second, int firstStretch = 1, int secondStretch = 1);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QBoxLayout* layout_;
};

// Adds the series to the chart on the two axes.
void AttachSeries(QChart& chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y);

// Number text for captions: two decimals (six significant digits when huge),
// never the locale's separator.
[[nodiscard]] QString Decimals2(double v);

}  // namespace views
