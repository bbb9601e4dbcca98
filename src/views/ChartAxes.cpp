#include "views/ChartAxes.h"
#include <algorithm>
#include <QStringList>
#include <QGraphicsLayout>
#include <QFontMetrics>
#include <QBoxLayout>
#include <QEvent>

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
  // Small type: a graph window on a small screen has a few hundred pixels a chart.
  for (QValueAxis* axis : {a.x, a.y}) {
    QFont labels = axis->labelsFont();
    labels.setPointSizeF(7.5);
    axis->setLabelsFont(labels);
    QFont title = axis->titleFont();
    title.setPointSizeF(8);
    title.setBold(false);
    axis->setTitleFont(title);
  }
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
  QChart& chart = *view->chart();
  // Every pixel to the plot: thin margins, no rounded card around it.
  chart.setMargins(QMargins(4, 2, 4, 2));
  chart.layout()->setContentsMargins(0, 0, 0, 0);
  chart.setBackgroundRoundness(0);
  QFont font = chart.titleFont();
  font.setPointSizeF(8.5);
  chart.setTitleFont(font);
  chart.setTitle(title);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

namespace {

// Greedy lines of `text` no wider than `room` in `font`, a line ending at "; ".
QString wrapped(const QString& text, const QFont& font, int room) {
  const QFontMetrics metrics(font);
  QStringList lines;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString tried = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && (metrics.horizontalAdvance(tried) > room || line.endsWith(QLatin1Char(';')))) {
      lines << line.toHtmlEscaped();
      line = word;
    } else {
      line = tried;
    }
  }
  if (!line.isEmpty()) lines << line.toHtmlEscaped();
  return lines.join(QStringLiteral("<br>"));
}

void applyTitle(QChartView& view) {
  QChart& chart = *view.chart();
  const int room = std::max(80, view.width() - 24);
  QString html = wrapped(view.property("plainTitle").toString(), chart.titleFont(), room);
  const QString small = view.property("smallTitle").toString();
  if (!small.isEmpty()) {
    QFont f = chart.titleFont();
    f.setPointSizeF(f.pointSizeF() * 0.83);  // as <small> sets it
    html += QStringLiteral("<br><small>") + wrapped(small, f, room).replace(QStringLiteral("<br>"), QStringLiteral("</small><br><small>")) +
            QStringLiteral("</small>");
  }
  chart.setTitle(html);
}

// Re-wraps a view's title when the view is resized.
class TitleWrapper final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) applyTitle(*static_cast<QChartView*>(watched));
    return false;
  }
};

}  // namespace

void SetWrappedTitle(QChartView& view, const QString& title, const QString& small) {
  if (!view.property("plainTitle").isValid()) view.installEventFilter(new TitleWrapper(&view));
  view.setProperty("plainTitle", title);
  view.setProperty("smallTitle", small);
  applyTitle(view);
}

ChartPair::ChartPair(QWidget* parent, QWidget* first, QWidget* second, int firstStretch, int secondStretch)
    : QWidget(parent), layout_(new QBoxLayout(QBoxLayout::TopToBottom, this)) {
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(2);
  first->setParent(this);
  second->setParent(this);
  layout_->addWidget(first, firstStretch);
  layout_->addWidget(second, secondStretch);
}

void ChartPair::resizeEvent(QResizeEvent* event) {
  // Side by side once stacking would leave each chart less than about 170
  // pixels, or the space is much wider than high.
  const bool wide = width() >= 2 * height() || (height() < 340 && width() >= height());
  layout_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
  QWidget::resizeEvent(event);
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
