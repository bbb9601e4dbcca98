#include "views/ChartAxes.h"

#include <QChart>
#include <QValueAxis>

#include <cmath>

namespace views {

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
  a.x->setLabelFormat(QStringLiteral("%.0f"));
  a.y->setLabelFormat(QStringLiteral("%.2f"));
  chart.addAxis(a.x, Qt::AlignBottom);
  chart.addAxis(a.y, Qt::AlignLeft);
  return a;
}

void FitAxis(QValueAxis& axis, Span span) {
  if (span.empty) {
    axis.setRange(0, 1);
    return;
  }
  double margin = (span.hi - span.lo) / 20.0;
  // A single value, or a spread lost in the rounding of large numbers.
  if (!(margin > std::abs(span.hi) * 1e-12)) margin = std::max(1.0, std::abs(span.hi) * 1e-6);
  axis.setRange(span.lo - margin, span.hi + margin);
  axis.applyNiceNumbers();
}

QString Decimals2(double v) {
  return QString::number(v, 'f', 2);
}

}  // namespace views
