#pragma once

#include "graphs/BundleRayRow.h"
#include "graphs/EqualTime.h"
#include "graphs/TravelTimeCurve.h"

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <optional>
#include <vector>

class QTabWidget;

namespace views {

class BundleCharts;
class CurveChart;
class EqualTimeChart;

// The graph window: a tab with the travel-time curve, a tab with the
// bundle's arrival and axis-crossing graphs, and the equal-time tab. It shows what it is given and
// nothing else; the owner feeds it after every change. Its own menu and a
// context menu export the visible tab as PNG, SVG or PDF, through the same
// writer as the picture of the main window.
class GraphView final : public QWidget {
 public:
  explicit GraphView(QWidget* parent = nullptr);

  void setCurve(const graphs::CurveData& curve);
  // The rows of the last bundle and the paraxial image of its source, if any.
  void setBundle(const std::vector<graphs::BundleRayRow>& rows, std::optional<double> paraxialX = std::nullopt);
  void setEqualTime(const graphs::EqualTimeData& equalTime);

  // The visible tab in the format of the file's extension (.png, .svg,
  // .pdf), written whole or not at all. Returns an error message, empty on
  // success.
  [[nodiscard]] QString exportPicture(const QString& path);
  // Both tabs side by side, as they are laid out in the window now.
  [[nodiscard]] QImage snapshot();
  // The same as the bytes of a file in the format of the path's extension
  // (.png, .svg, .pdf), for the caller to write. Returns an error message,
  // empty on success.
  [[nodiscard]] QString encodeBoth(const QString& path, QByteArray& bytes);

  [[nodiscard]] QTabWidget* tabs() const noexcept { return tabs_; }
  [[nodiscard]] CurveChart* curveChart() const noexcept { return curve_; }
  [[nodiscard]] BundleCharts* bundleCharts() const noexcept { return bundle_; }
  [[nodiscard]] EqualTimeChart* equalTimeChart() const noexcept { return equalTime_; }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void exportInteractively();

  QTabWidget* tabs_;
  CurveChart* curve_;
  BundleCharts* bundle_;
  EqualTimeChart* equalTime_;
};

}  // namespace views
