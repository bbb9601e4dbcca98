#include "window/ChallengeOverlay.h"

#include "canvas/Canvas.h"

#include <QPainter>

namespace app {
namespace {
const QColor kLeastColour(0, 150, 0);
const QColor kGuessColour(0, 0, 200);
constexpr double kRing = 7;  // pixels
}  // namespace

ChallengeOverlay::ChallengeOverlay(QWidget* form, const canvas::Canvas& canvas) : QWidget(form), canvas_(canvas) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void ChallengeOverlay::show(const std::optional<lab::ChallengeReveal>& reveal) {
  reveal_ = reveal;
  const bool shown = reveal_ && reveal_->found;
  setVisible(shown);
  if (!shown) return;
  setGeometry(parentWidget()->rect());
  raise();
  update();
}

void ChallengeOverlay::paintEvent(QPaintEvent*) {
  if (!reveal_ || !reveal_->found) return;
  const lab::ChallengeReveal& r = *reveal_;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF source = canvas_.toPixel(r.sourceX, r.sourceY), least = canvas_.toPixel(r.leastX, r.leastY),
                target = canvas_.toPixel(r.targetX, r.targetY), guess = canvas_.toPixel(r.guessX, r.guessY);
  p.setPen(QPen(kLeastColour, 2));
  p.drawPolyline(QList<QPointF>{source, least, target});
  p.setBrush(kLeastColour);
  p.drawEllipse(least, 3.5, 3.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGuessColour, 1.5, Qt::DashLine));
  p.drawEllipse(guess, kRing, kRing);
}

}  // namespace app
