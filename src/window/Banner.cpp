#include "window/Banner.h"

#include <QMouseEvent>

namespace app {
namespace {
constexpr int kMargin = 8;  // pixels from the form's edges
}

Banner::Banner(QWidget* form) : QLabel(form) {
  setObjectName(QStringLiteral("banner"));
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 225, 235); border: 1px solid #888; "
                               "padding: 4px; }"));
  setToolTip(QStringLiteral("Click to hide"));
  hide();
}

void Banner::say(const QString& text) {
  setText(text);
  if (text.isEmpty()) {
    hide();
    return;
  }
  const QWidget* form = parentWidget();
  const int width = std::min(form->width() - 2 * kMargin, 720);
  setFixedWidth(std::max(width, 100));
  adjustSize();
  move(kMargin, form->height() - height() - kMargin);
  show();
  raise();
}

void Banner::mousePressEvent(QMouseEvent* event) {
  hide();
  event->accept();
}

}  // namespace app
