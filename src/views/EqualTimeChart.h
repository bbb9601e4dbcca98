#pragma once

#include "graphs/EqualTime.h"

#include <QWidget>

#include <functional>

class QChartView;
class QDoubleSpinBox;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace views {

// The equal-time view: above, the spread of the continued rays' total travel
// times to each point of the axis, its least value marked; below, every
// ray's total time to the chosen point, which the spin box sets. Where the
// rays focus, their times agree.
class EqualTimeChart final : public QWidget {
 public:
  explicit EqualTimeChart(QWidget* parent = nullptr);

  void setData(const graphs::EqualTimeData& data);
  // Called with the point the user chose on the axis; the owner answers
  // with setData for it.
  void setOnChosen(std::function<void(double x)> chosen) { chosen_ = std::move(chosen); }

  [[nodiscard]] QLineSeries* spreadSeries() const noexcept { return spread_; }
  [[nodiscard]] QScatterSeries* timesSeries() const noexcept { return times_; }
  [[nodiscard]] QDoubleSpinBox* chosenBox() const noexcept { return at_; }

 private:
  QChartView* spreadView_;
  QChartView* timesView_;
  QLineSeries* spread_;
  QScatterSeries* least_;
  QScatterSeries* times_;
  QValueAxis *spreadX_, *spreadY_, *timesX_, *timesY_;
  QDoubleSpinBox* at_;
  std::function<void(double)> chosen_;
};

}  // namespace views
