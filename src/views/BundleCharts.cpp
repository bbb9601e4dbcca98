#include "views/BundleCharts.h"

#include "views/ChartAxes.h"

#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace views {
namespace {

const QColor kArrivalColour(40, 40, 40);
const QColor kCrossingColour(220, 0, 0);

}  // namespace

BundleCharts::BundleCharts(QWidget* parent)
    : QWidget(parent),
      arrivalView_(NewChartView(this, QStringLiteral("Arrival time at the exit point, every ray of the last bundle"))),
      crossingView_(NewChartView(this, QStringLiteral("Where each continued ray crosses the axis"))),
      arrival_(new QLineSeries),
      arrivalPoints_(new QScatterSeries),
      crossingPoints_(new QScatterSeries) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(arrivalView_);
  layout->addWidget(crossingView_);

  QChart& a = *arrivalView_->chart();
  const ChartAxes aa = AddAxes(a, QStringLiteral("exit height"), QStringLiteral("arrival time"));
  arrivalX_ = aa.x;
  arrivalY_ = aa.y;
  arrival_->setObjectName(QStringLiteral("arrival"));
  arrival_->setColor(kArrivalColour);
  arrivalPoints_->setObjectName(QStringLiteral("arrivalPoints"));
  arrivalPoints_->setColor(kArrivalColour);
  arrivalPoints_->setMarkerSize(6);
  AttachSeries(a, arrival_, arrivalX_, arrivalY_);
  AttachSeries(a, arrivalPoints_, arrivalX_, arrivalY_);
  a.legend()->hide();

  QChart& c = *crossingView_->chart();
  const ChartAxes ca = AddAxes(c, QStringLiteral("exit height"), QStringLiteral("axis crossing x"));
  crossingX_ = ca.x;
  crossingY_ = ca.y;
  crossingPoints_->setObjectName(QStringLiteral("axisCrossingPoints"));
  crossingPoints_->setColor(kCrossingColour);
  crossingPoints_->setMarkerSize(6);
  AttachSeries(c, crossingPoints_, crossingX_, crossingY_);
  c.legend()->hide();
}

void BundleCharts::setBundle(const std::vector<graphs::BundleRayRow>& rows) {
  QList<QPointF> points;
  Span heights, times;
  for (const graphs::BundleRayRow& r : rows) {
    if (!std::isfinite(r.exitY) || !std::isfinite(r.arrivalTime)) continue;
    points.append({r.exitY, r.arrivalTime});
    heights.add(r.exitY);
    times.add(r.arrivalTime);
  }
  arrival_->replace(points);
  arrivalPoints_->replace(points);
  FitAxis(*arrivalX_, heights, QStringLiteral("%.0f"));
  FitAxis(*arrivalY_, times, QStringLiteral("%.2f"));
  // Both graphs over the same exit heights, so that they read one above the other.
  FitAxis(*crossingX_, heights, QStringLiteral("%.0f"));
  setCrossings(rows);
}

void BundleCharts::setCrossings(const std::vector<graphs::BundleRayRow>& rows) {
  QChart& c = *crossingView_->chart();
  // The pieces of the line are rebuilt: their number follows the gaps.
  for (QAbstractSeries* s : c.series()) {
    if (s != crossingPoints_) {
      c.removeSeries(s);
      delete s;
    }
  }
  QList<QPointF> all;
  QList<QList<QPointF>> pieces(1);
  Span xs;
  bool anyContinued = false;
  for (const graphs::BundleRayRow& r : rows) {
    anyContinued = anyContinued || r.continuation.drawn;
    const std::optional<double> x = graphs::AxisCrossing(r);
    if (!x || !std::isfinite(r.exitY)) {
      if (!pieces.back().isEmpty()) pieces.append(QList<QPointF>{});
      continue;
    }
    all.append({r.exitY, *x});
    pieces.back().append({r.exitY, *x});
    xs.add(*x);
  }
  crossingPoints_->replace(all);
  for (const QList<QPointF>& piece : pieces) {
    if (piece.size() < 2) continue;
    auto* line = new QLineSeries;
    line->setObjectName(QStringLiteral("axisCrossing"));
    line->setColor(kCrossingColour);
    line->replace(piece);
    AttachSeries(c, line, crossingX_, crossingY_);
  }
  c.setTitle(anyContinued ? QStringLiteral("Where each continued ray crosses the axis (gaps: no crossing)")
                          : QStringLiteral("Where each continued ray crosses the axis: continue the bundle first"));
  FitAxis(*crossingY_, xs, QStringLiteral("%.1f"));
}

}  // namespace views
