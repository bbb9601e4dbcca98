#pragma once

#include "graphs/BundleRayRow.h"

#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace views {

// Two graphs of the last bundle, one above the other, both against the exit
// height: the arrival time of every ray at its exit point, and, after a
// continuation, the x at which each continued ray's red line crosses the axis.
// Rays without a crossing (totally reflected, not continued, parallel to the
// axis) leave gaps in the second line.
//
// Series object names: "arrival", "arrivalPoints", "axisCrossingPoints" and
// "axisCrossing" for each unbroken piece of the crossing line.
class BundleCharts final : public QWidget {
 public:
  explicit BundleCharts(QWidget* parent = nullptr);

  void setBundle(const std::vector<graphs::BundleRayRow>& rows);

  [[nodiscard]] QChartView* arrivalView() const noexcept { return arrivalView_; }
  [[nodiscard]] QChartView* crossingView() const noexcept { return crossingView_; }

 private:
  void setCrossings(const std::vector<graphs::BundleRayRow>& rows);

  QChartView* arrivalView_;
  QChartView* crossingView_;
  QLineSeries* arrival_;
  QScatterSeries* arrivalPoints_;
  QScatterSeries* crossingPoints_;
  QValueAxis* arrivalX_;
  QValueAxis* arrivalY_;
  QValueAxis* crossingX_;
  QValueAxis* crossingY_;
};

}  // namespace views
