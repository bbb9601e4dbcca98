#pragma once

#include <QString>

class QAbstractSeries;
class QChart;
class QChartView;
class QValueAxis;
class QWidget;

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

// Adds the series to the chart on the two axes.
void AttachSeries(QChart& chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y);

// Number text for captions: two decimals (six significant digits when huge),
// never the locale's separator.
[[nodiscard]] QString Decimals2(double v);

}  // namespace views
