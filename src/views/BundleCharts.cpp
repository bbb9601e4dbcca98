#include "text/Language.h"
#include "views/BundleCharts.h"

#include "graphs/CrossingGraph.h"
#include "views/ChartAxes.h"

#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace views {
namespace {

const QColor kArrivalColour(40, 40, 40);
const QColor kCrossingColour(220, 0, 0);  // the construction's, as its red lines
const QColor kExactColour(0, 0, 140);
const QColor kParaxialColour(110, 110, 110);

}  // namespace

BundleCharts::BundleCharts(QWidget* parent)
    : QWidget(parent),
      arrivalView_(NewChartView(this)),
      crossingView_(NewChartView(this)),
      arrival_(new QLineSeries),
      arrivalPoints_(new QScatterSeries),
      crossingPoints_(new QScatterSeries) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The crossings' graph carries a legend and a second line of title: it
  // gets the larger share.
  layout->addWidget(new ChartPair(this, arrivalView_, crossingView_, 2, 3));
  SetWrappedTitle(*arrivalView_, QString::fromStdString(text::Tr("graph.bundle.arrivalTitle")));
  SetWrappedTitle(*crossingView_, QString::fromUtf8(graphs::CrossingTexts().title));

  QChart& a = *arrivalView_->chart();
  const ChartAxes aa = AddAxes(a, QString::fromStdString(text::Tr("graph.bundle.exitHeight")), QString::fromStdString(text::Tr("graph.bundle.arrivalTime")));
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
  const ChartAxes ca = AddAxes(c, QString::fromStdString(text::Tr("graph.bundle.exitHeight")), QString::fromStdString(text::Tr("graph.bundle.crossingX")));
  crossingX_ = ca.x;
  crossingY_ = ca.y;
  crossingPoints_->setObjectName(QStringLiteral("axisCrossingPoints"));
  crossingPoints_->setName(QString::fromUtf8(graphs::CrossingTexts().construction));
  crossingPoints_->setColor(kCrossingColour);
  // Smaller than the arrival's points: the exact curve, drawn over them,
  // shows through where the two agree.
  crossingPoints_->setMarkerSize(5);
  AttachSeries(c, crossingPoints_, crossingX_, crossingY_);
  c.legend()->setAlignment(Qt::AlignBottom);
  QFont legend = c.legend()->font();
  legend.setPointSizeF(7.5);
  c.legend()->setFont(legend);
}

void BundleCharts::setBundle(const std::vector<graphs::BundleRayRow>& rows, std::optional<double> paraxialX) {
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
  setCrossings(rows, paraxialX, heights);
}

void BundleCharts::setCrossings(const std::vector<graphs::BundleRayRow>& rows, std::optional<double> paraxialX,
                                Span heights) {
  const graphs::CrossingGraphTexts& texts = graphs::CrossingTexts();
  QChart& c = *crossingView_->chart();
  // The pieces of the line and the reference line are rebuilt: their number
  // follows the gaps and the source.
  for (QAbstractSeries* s : c.series()) {
    if (s != crossingPoints_) {
      c.removeSeries(s);
      delete s;
    }
  }
  QList<QPointF> constructed;
  QList<QList<QPointF>> pieces(1);
  Span xs;
  for (const graphs::BundleRayRow& r : rows) {
    if (!std::isfinite(r.exitY)) continue;
    if (const std::optional<double> x = graphs::AxisCrossing(r)) {
      constructed.append({r.exitY, *x});
      xs.add(*x);
    }
    if (!r.exactAxisX) {
      if (!pieces.back().isEmpty()) pieces.append(QList<QPointF>{});
      continue;
    }
    pieces.back().append({r.exitY, *r.exactAxisX});
    xs.add(*r.exactAxisX);
  }
  crossingPoints_->replace(constructed);
  bool named = false;
  for (const QList<QPointF>& piece : pieces) {
    if (piece.isEmpty()) continue;
    auto* line = new QLineSeries;
    line->setObjectName(QStringLiteral("exactCrossing"));
    line->setName(QString::fromUtf8(texts.exact));
    QPen pen(kExactColour);
    pen.setWidthF(1.5);
    line->setPen(pen);
    // A lone crossing between two gaps is still a point of the curve.
    line->setPointsVisible(piece.size() == 1);
    line->replace(piece);
    AttachSeries(c, line, crossingX_, crossingY_);
    // One entry in the legend for the whole curve, however many pieces.
    if (named) {
      for (QLegendMarker* m : c.legend()->markers(line)) m->setVisible(false);
    }
    named = true;
  }
  if (paraxialX && std::isfinite(*paraxialX) && !heights.empty) {
    auto* image = new QLineSeries;
    image->setObjectName(QStringLiteral("paraxialImage"));
    image->setName(QString::fromUtf8(texts.paraxial));
    QPen pen(kParaxialColour);
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1);
    image->setPen(pen);
    image->replace(QList<QPointF>{{heights.lo, *paraxialX}, {heights.hi, *paraxialX}});
    AttachSeries(c, image, crossingX_, crossingY_);
    xs.add(*paraxialX);
  }
  const std::string summary = graphs::CrossingSummary(rows, paraxialX);
  SetWrappedTitle(*crossingView_, QString::fromUtf8(texts.title), QString::fromStdString(summary));
  FitAxis(*crossingY_, xs, QStringLiteral("%.1f"));
}

}  // namespace views
