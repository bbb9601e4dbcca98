#pragma once

#include "graphs/TravelTimeCurve.h"

#include <QChartView>

#include <array>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace views {

// The travel time of the path source -> E -> target against the height of E
// on the first surface, with the least-time point marked with its time and
// the time through the entry marker as a horizontal line.
//
// Along a mirror every stationary point is marked in its kind's colour.
//
// Series object names, for whoever inspects the chart: "curve", "least",
// "hand", and "minimum", "maximum", "inflection", "constant".
class CurveChart final : public QChartView {
 public:
  explicit CurveChart(QWidget* parent = nullptr);

  void setCurve(const graphs::CurveData& curve);

 private:
  QLineSeries* curve_;
  QScatterSeries* least_;
  QLineSeries* hand_;
  std::array<QScatterSeries*, 4> kinds_;  // by optics::StationaryKind
  QValueAxis* x_;
  QValueAxis* y_;
  const char* title_ = nullptr;  // the CurveTexts title shown, one of the table's own
};

}  // namespace views
