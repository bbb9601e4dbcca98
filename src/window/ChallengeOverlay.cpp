#include "window/ChallengeOverlay.h"

#include "canvas/Canvas.h"

#include <QPainter>

namespace app {
namespace {
QColor colourOf(numeric::Colour c) { return QColor::fromRgb(c); }
}  // namespace

ChallengeOverlay::ChallengeOverlay(QWidget* form, const canvas::Canvas& canvas) : QWidget(form), canvas_(canvas) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void ChallengeOverlay::show(const std::optional<lab::ChallengeReveal>& reveal) {
  showDrawing(reveal ? std::optional(lab::ChallengeAnswerDrawing(*reveal)) : std::nullopt);
}

void ChallengeOverlay::showDrawing(std::optional<lab::ChallengeDrawing> drawing) {
  if (drawing && drawing->cells.empty() && drawing->paths.empty() && drawing->dots.empty()) drawing.reset();
  if (!drawing && !drawing_) return;
  drawing_ = std::move(drawing);
  setVisible(drawing_.has_value());
  if (!drawing_) return;
  setGeometry(parentWidget()->rect());
  raise();
  update();
}

void ChallengeOverlay::paintEvent(QPaintEvent*) {
  if (!drawing_) return;
  const lab::ChallengeDrawing& d = *drawing_;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const auto px = [this](const core::Point& w) { return canvas_.toPixel(w.x, w.y); };
  p.setPen(Qt::NoPen);
  for (const lab::ChallengeCell& c : d.cells) {
    QColor fill = colourOf(c.fill);
    fill.setAlphaF(static_cast<float>(c.opacity));
    p.setBrush(fill);
    // Cells share their edges: unsmoothed, so no seam shows between them.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(QRectF(px(c.from), px(c.to)).normalized());
    p.setRenderHint(QPainter::Antialiasing, true);
  }
  for (const lab::ChallengePath& path : d.paths) {
    QPen pen(colourOf(path.colour), path.width);
    if (!path.dash.empty()) {
      // Qt counts a dash in pen widths.
      QList<qreal> pattern;
      for (const double v : path.dash) pattern.push_back(v / path.width);
      pen.setDashPattern(pattern);
    }
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QList<QPointF> points;
    for (const core::Point& w : path.points) points.push_back(px(w));
    p.drawPolyline(points);
  }
  QFont font = p.font();
  font.setPixelSize(static_cast<int>(d.textSize));
  p.setFont(font);
  const QFontMetricsF metrics(font);
  for (const lab::ChallengeDot& dot : d.dots) {
    const QPointF at = px(dot.at);
    p.setPen(QPen(colourOf(dot.outline), dot.outlineWidth));
    p.setBrush(colourOf(dot.fill));
    p.drawEllipse(at, dot.radius, dot.radius);
    p.setPen(colourOf(dot.textInk != 0 ? dot.textInk : dot.fill));
    const double x = at.x() + d.textDx;
    const double y = dot.textAbove ? at.y() - d.textDy - metrics.descent() : at.y() + d.textDy + metrics.ascent();
    p.drawText(QPointF(x, y), QString::fromStdString(dot.text));
  }
}

}  // namespace app
