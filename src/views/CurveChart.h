#pragma once

#include "graphs/TravelTimeCurve.h"

#include <QChartView>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace views {

// The travel time of the path source -> E -> target against the height of E
// on the first surface, with the least-time point marked with its time and
// the time through the entry marker as a horizontal line.
//
// Series object names, for whoever inspects the chart: "curve", "least", "hand".
class CurveChart final : public QChartView {
 public:
  explicit CurveChart(QWidget* parent = nullptr);

  void setCurve(const graphs::CurveData& curve);

 private:
  QLineSeries* curve_;
  QScatterSeries* least_;
  QLineSeries* hand_;
  QValueAxis* x_;
  QValueAxis* y_;
};

}  // namespace views
