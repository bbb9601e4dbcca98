#include "canvas/Label.h"


#include "canvas/HaloLabel.h"

namespace canvas {
namespace {
QLabel* makeLabel(QWidget* parent, double pointSize, const QString& caption) {
  auto* label = new HaloLabel(caption, parent);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(pointSize);
  label->setFont(font);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  // Transparent over the picture; a press on it is its own, not the canvas's.
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}
}  // namespace

Label::Label(QWidget* parent, QRectF designTwips, double pointSize, const QString& caption)
    : Control(makeLabel(parent, pointSize, caption), designTwips),
      label_(static_cast<QLabel*>(widget())),
      designCaption_(caption) {}

QString Label::Caption() const { return label_->text(); }

void Label::setCaption(const QString& text) { label_->setText(text); }

void Label::restoreDesign() {
  Control::restoreDesign();
  label_->setText(designCaption_);
}

}  // namespace canvas
