#include "text/Language.h"
#include "views/EqualTimeChart.h"

#include "views/ChartAxes.h"

#include <QChartView>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValueAxis>

namespace views {
namespace {

const QColor kSpreadColour(40, 40, 40);
const QColor kLeastColour(0, 120, 0);
const QColor kTimeColour(220, 0, 0);

QChartView* newView(QWidget* parent) {
  QChartView* view = NewChartView(parent);
  view->chart()->legend()->hide();
  return view;
}

}  // namespace

EqualTimeChart::EqualTimeChart(QWidget* parent)
    : QWidget(parent),
      spreadView_(newView(this)),
      timesView_(newView(this)),
      spread_(new QLineSeries),
      least_(new QScatterSeries),
      times_(new QScatterSeries),
      at_(new QDoubleSpinBox(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The charts in a widget of their own: an export of the tab is that, without the field below.
  auto* charts = new ChartPair(this, spreadView_, timesView_);
  charts->setObjectName(QStringLiteral("charts"));
  layout->addWidget(charts);
  auto* form = new QFormLayout;
  at_->setObjectName(QStringLiteral("equalTimeAt"));
  at_->setDecimals(1);
  at_->setKeyboardTracking(false);
  form->addRow(QString::fromStdString(text::Tr("graph.equalTime.pointField")), at_);
  layout->addLayout(form);

  QChart& s = *spreadView_->chart();
  const ChartAxes sa = AddAxes(s, QString::fromStdString(text::Tr("graph.equalTime.point")), QString::fromStdString(text::Tr("graph.equalTime.spread")));
  spreadX_ = sa.x;
  spreadY_ = sa.y;
  spread_->setObjectName(QStringLiteral("equalTimeSpread"));
  spread_->setColor(kSpreadColour);
  least_->setObjectName(QStringLiteral("equalTimeLeast"));
  least_->setColor(kLeastColour);
  least_->setMarkerSize(9);
  AttachSeries(s, spread_, spreadX_, spreadY_);
  AttachSeries(s, least_, spreadX_, spreadY_);

  QChart& t = *timesView_->chart();
  const ChartAxes ta = AddAxes(t, QString::fromStdString(text::Tr("graph.equalTime.ray")), QString::fromStdString(text::Tr("graph.equalTime.time")));
  timesX_ = ta.x;
  timesY_ = ta.y;
  times_->setObjectName(QStringLiteral("equalTimeRays"));
  times_->setColor(kTimeColour);
  times_->setMarkerSize(6);
  AttachSeries(t, times_, timesX_, timesY_);

  connect(at_, &QDoubleSpinBox::valueChanged, this, [this](double x) {
    if (chosen_) chosen_(x);
  });
  setData({});
}

void EqualTimeChart::setData(const graphs::EqualTimeData& d) {
  QList<QPointF> spread;
  Span xs, spreads;
  for (std::size_t k = 0; k < d.x.size(); ++k) {
    if (!std::isfinite(d.x[k]) || !std::isfinite(d.spread[k])) continue;
    spread.append({d.x[k], d.spread[k]});
    xs.add(d.x[k]);
    spreads.add(d.spread[k]);
  }
  spread_->replace(spread);
  // No focus (the source off the axis): no point is marked as one.
  least_->replace(d.empty() || !d.sourceOnAxis ? QList<QPointF>{} : QList<QPointF>{{d.bestX, d.bestSpread}});
  FitAxis(*spreadX_, xs, QStringLiteral("%.0f"));
  FitAxis(*spreadY_, spreads, QStringLiteral("%.2f"));
  SetWrappedTitle(*spreadView_, QString::fromStdString(graphs::EqualTimeTitle(d)));

  QList<QPointF> times;
  Span rays, values;
  for (const graphs::EqualTimeRay& r : d.rays) {
    if (!std::isfinite(r.time)) continue;
    times.append({double(r.index), r.time});
    rays.add(r.index);
    values.add(r.time);
  }
  times_->replace(times);
  FitAxis(*timesX_, rays, QStringLiteral("%.0f"));
  FitAxis(*timesY_, values, QStringLiteral("%.2f"));
  SetWrappedTitle(*timesView_, d.empty() ? QString()
                                         : QString::fromStdString(text::Tr(
                                               "graph.equalTime.timesTitle",
                                               {{"x", text::LocalNumber(Decimals2(d.chosenX).toStdString())}})));
  const QSignalBlocker quiet(at_);
  at_->setEnabled(!d.empty());
  if (!d.empty()) {
    at_->setRange(d.x.front(), d.x.back());
    at_->setValue(d.chosenX);
  }
}

}  // namespace views
