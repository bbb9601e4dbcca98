#include "window/Words.h"
#include "window/Banner.h"

#include <QMouseEvent>

#include <algorithm>

namespace app {
namespace {
// Top left, below the labels along the top edge and right of the ray-count
// bar, left of the lens: no control and no marker's start lies there.
constexpr QPoint kCorner{40, 100};
constexpr int kWidest = 520;
}  // namespace

Banner::Banner(QWidget* form, Anchor anchor) : QLabel(form), anchor_(anchor) {
  setObjectName(anchor == Anchor::TopLeft ? QStringLiteral("banner") : QStringLiteral("hints"));
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 225, 235); border: 1px solid #888; "
                               "padding: 4px; }"));
  Word(this, "window.banner.hide", "toolTip");
  hide();
}

void Banner::say(const QString& text) {
  setText(text);
  if (text.isEmpty()) {
    hide();
    return;
  }
  const QWidget* form = parentWidget();
  setFixedWidth(std::clamp(form->width() * 2 / 5, 120, kWidest));
  adjustSize();
  // Bottom left: above the time bar at the bottom of the client area.
  move(anchor_ == Anchor::TopLeft ? kCorner : QPoint(kCorner.x(), std::max(0, form->height() - height() - kCorner.y())));
  show();
  raise();
}

void Banner::mousePressEvent(QMouseEvent* event) {
  hide();
  event->accept();
}

}  // namespace app
