#include "views/CurveChart.h"

#include "views/ChartAxes.h"

#include "graphs/CurveTexts.h"

#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace views {

CurveChart::CurveChart(QWidget* parent)
    : QChartView(new QChart, parent), curve_(new QLineSeries), least_(new QScatterSeries), hand_(new QLineSeries) {
  QChart& c = *chart();
  c.setMargins(QMargins(4, 2, 4, 2));
  c.setBackgroundRoundness(0);
  SetWrappedTitle(*this, QStringLiteral("Travel time source → E → target point, E on the lens's first surface"));
  curve_->setObjectName(QStringLiteral("curve"));
  curve_->setName(QStringLiteral("through E"));
  least_->setObjectName(QStringLiteral("least"));
  least_->setMarkerSize(11);
  least_->setColor(QColor(200, 0, 0));
  least_->setPointLabelsVisible(true);
  least_->setPointLabelsClipping(false);
  hand_->setObjectName(QStringLiteral("hand"));
  QPen dashed(QColor(0, 0, 255));
  dashed.setStyle(Qt::DashLine);
  dashed.setWidthF(1.5);
  hand_->setPen(dashed);
  for (QXYSeries* s :
       {static_cast<QXYSeries*>(curve_), static_cast<QXYSeries*>(hand_), static_cast<QXYSeries*>(least_)}) {
    c.addSeries(s);
  }
  const ChartAxes axes = AddAxes(c, QString::fromUtf8(graphs::CurveTexts().height), QStringLiteral("travel time"));
  x_ = axes.x;
  y_ = axes.y;
  for (QAbstractSeries* s : c.series()) {
    s->attachAxis(x_);
    s->attachAxis(y_);
  }
  c.legend()->setAlignment(Qt::AlignBottom);
  setRenderHint(QPainter::Antialiasing);
}

void CurveChart::setCurve(const graphs::CurveData& d) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(d.samples.size()));
  Span heights, times;
  for (const graphs::CurveSample& s : d.samples) {
    if (!std::isfinite(s.y) || !std::isfinite(s.time)) continue;
    points.append({s.y, s.time});
    heights.add(s.y);
    times.add(s.time);
  }
  curve_->replace(points);
  const Span curveTimes = times;

  if (d.least && std::isfinite(d.least->y) && std::isfinite(d.least->time)) {
    least_->replace(QList<QPointF>{{d.least->y, d.least->time}});
    least_->setName(QString::fromStdString(graphs::LeastTimeLine(d)));
    least_->setPointLabelsFormat(QStringLiteral("least ") + Decimals2(d.least->time));
    heights.add(d.least->y);
    times.add(d.least->time);
  } else {
    least_->clear();
    // The same words as the page's graph when the search found no point.
    least_->setName(d.samples.empty() ? QString::fromUtf8(graphs::CurveTexts().least)
                                      : QString::fromStdString(graphs::LeastTimeLine(d)));
  }

  // The line through the entry marker is kept in view only while it is near
  // the curve; a marker dragged far away would flatten the curve to a line.
  // Its time stays in the legend either way.
  const double hand = d.hand.time;
  const double reach = curveTimes.empty ? 0 : 3 * (curveTimes.hi - curveTimes.lo);
  const bool handShown = std::isfinite(hand) && !heights.empty;
  if (handShown && !curveTimes.empty && hand >= curveTimes.lo - reach && hand <= curveTimes.hi + reach) {
    times.add(hand);
  }
  if (handShown) {
    hand_->replace(QList<QPointF>{{heights.lo, hand}, {heights.hi, hand}});
    hand_->setName(QString::fromUtf8(graphs::CurveTexts().through) + QStringLiteral(": ") + Decimals2(hand));
  } else {
    hand_->clear();
    hand_->setName(QString::fromUtf8(graphs::CurveTexts().through));
  }
  FitAxis(*x_, heights, QStringLiteral("%.0f"));
  FitAxis(*y_, times, QStringLiteral("%.2f"));
}

}  // namespace views
