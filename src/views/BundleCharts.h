#pragma once

#include "graphs/BundleRayRow.h"

#include "views/ChartAxes.h"

#include <QWidget>

#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace views {

// Two graphs of the last bundle, one above the other, both against the exit
// height: the arrival time of every ray at its exit point, and the x at which
// each ray crosses the axis. The second graph's line is the exact crossings
// (by least time in double precision, the aberration curve), its points the
// construction's (where each continued red line meets the axis), and a
// horizontal line marks the paraxial image when the source is on the axis.
// Rays without an exact crossing (totally reflected, parallel to the axis,
// leaving on it) leave gaps in the line.
//
// Series object names: "arrival", "arrivalPoints", "axisCrossingPoints" (the
// construction's), "exactCrossing" for each unbroken piece of the exact
// line, "paraxialImage". The words come from graphs::CrossingTexts().
class BundleCharts final : public QWidget {
 public:
  explicit BundleCharts(QWidget* parent = nullptr);

  void setBundle(const std::vector<graphs::BundleRayRow>& rows, std::optional<double> paraxialX = std::nullopt);

  [[nodiscard]] QChartView* arrivalView() const noexcept { return arrivalView_; }
  [[nodiscard]] QChartView* crossingView() const noexcept { return crossingView_; }

 private:
  void setCrossings(const std::vector<graphs::BundleRayRow>& rows, std::optional<double> paraxialX, Span heights);

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
