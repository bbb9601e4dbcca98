#include "views/ChartAxes.h"

#include <QAbstractSeries>
#include <QChartView>

#include <QChart>
#include <QValueAxis>

#include <cmath>

namespace views {
namespace {
// From here on numbers are shown with significant digits, not decimals.
constexpr double kHuge = 1e7;
}  // namespace

void Span::add(double v) {
  if (!std::isfinite(v)) return;
  if (empty) {
    lo = hi = v;
    empty = false;
  } else {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
}

ChartAxes AddAxes(QChart& chart, const QString& xTitle, const QString& yTitle) {
  ChartAxes a{new QValueAxis(&chart), new QValueAxis(&chart)};
  a.x->setTitleText(xTitle);
  a.y->setTitleText(yTitle);
  chart.addAxis(a.x, Qt::AlignBottom);
  chart.addAxis(a.y, Qt::AlignLeft);
  return a;
}

void FitAxis(QValueAxis& axis, Span span, const QString& labelFormat) {
  if (span.empty) {
    axis.setRange(0, 1);
    return;
  }
  double margin = (span.hi - span.lo) / 20.0;
  // A single value, or a spread lost in the rounding of large numbers.
  if (!(margin > std::abs(span.hi) * 1e-12)) margin = std::max(1.0, std::abs(span.hi) * 1e-6);
  // Fixed decimals would print every digit of an absurd number (a source
  // dragged millions of units away): those get significant digits instead.
  const bool huge = std::max(std::abs(span.lo), std::abs(span.hi)) >= kHuge;
  axis.setLabelFormat(huge ? QStringLiteral("%.6g") : labelFormat);
  axis.setRange(span.lo - margin, span.hi + margin);
  axis.applyNiceNumbers();
}

QChartView* NewChartView(QWidget* parent, const QString& title) {
  auto* view = new QChartView(new QChart, parent);
  view->chart()->setTitle(title);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

void AttachSeries(QChart& chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

QString Decimals2(double v) {
  return std::abs(v) >= kHuge ? QString::number(v, 'g', 6) : QString::number(v, 'f', 2);
}

}  // namespace views
