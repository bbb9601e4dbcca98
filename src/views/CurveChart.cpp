#include "text/Language.h"
#include "views/CurveChart.h"

#include "views/ChartAxes.h"

#include "core/MirrorFermat.h"
#include "graphs/CurveTexts.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace views {

CurveChart::CurveChart(QWidget* parent)
    : QChartView(new QChart, parent), curve_(new QLineSeries), least_(new QScatterSeries), hand_(new QLineSeries) {
  QChart& c = *chart();
  c.setMargins(QMargins(4, 2, 4, 2));
  c.setBackgroundRoundness(0);
  SetWrappedTitle(*this, QString::fromUtf8(graphs::CurveTexts().title));
  title_ = graphs::CurveTexts().title;
  curve_->setObjectName(QStringLiteral("curve"));
  curve_->setName(QString::fromStdString(text::Tr("graph.curve.throughE")));
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
  for (std::size_t k = 0; k < kinds_.size(); ++k) {
    const auto kind = static_cast<optics::StationaryKind>(k);
    QScatterSeries* s = new QScatterSeries;
    s->setObjectName(QString::fromLatin1(optics::StationaryKindName(kind)));
    s->setName(QString::fromStdString(graphs::StationaryKindWord(kind)));
    s->setMarkerSize(8);
    s->setColor(QColor::fromRgb(core::StationaryColour(kind)));
    c.addSeries(s);
    kinds_[k] = s;
  }
  const ChartAxes axes = AddAxes(c, QString::fromUtf8(graphs::CurveTexts().height), QString::fromStdString(text::Tr("graph.curve.travelTime")));
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
  if (const char* title = graphs::CurveTitle(d); title != title_) {
    title_ = title;
    SetWrappedTitle(*this, QString::fromUtf8(title));
  }
  std::array<QList<QPointF>, 4> marks;
  for (const graphs::StationaryMark& m : d.stationary) {
    if (std::isfinite(m.y) && std::isfinite(m.time)) marks[static_cast<std::size_t>(m.kind)].append({m.y, m.time});
  }
  for (std::size_t k = 0; k < kinds_.size(); ++k) {
    kinds_[k]->replace(marks[k]);
    // A kind the curve has none of takes no room in the legend.
    chart()->legend()->markers(kinds_[k]).value(0)->setVisible(!marks[k].isEmpty());
  }
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
    least_->setPointLabelsFormat(QString::fromStdString(text::Tr("graph.curve.leastPoint", {{"time", text::LocalNumber(Decimals2(d.least->time).toStdString())}})));
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
