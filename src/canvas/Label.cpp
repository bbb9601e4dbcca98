#include "canvas/Label.h"

#include "canvas/Canvas.h"

#include <QLabel>

namespace canvas {
namespace {
QLabel* makeLabel(QWidget* parent, double pointSize, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(pointSize);
  label->setFont(font);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  // Opaque, in the window's background, and a press on it is its own, not the canvas's.
  label->setAutoFillBackground(true);
  QPalette pal = label->palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(kBackground));
  pal.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(pal);
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}
}  // namespace

Label::Label(Canvas& canvas, QWidget* parent, QRectF designTwips, double pointSize, const QString& caption)
    : Control(canvas, makeLabel(parent, pointSize, caption), designTwips),
      label_(static_cast<QLabel*>(widget())) {}

QString Label::Caption() const { return label_->text(); }

void Label::setCaption(const QString& text) { label_->setText(text); }

}  // namespace canvas
