#include "canvas/CommandButton.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace canvas {
namespace {
QPushButton* makeButton(QWidget* parent, double pointSize, const QString& caption) {
  auto* button = new QPushButton(parent);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(pointSize);
  // QPushButton does not wrap; a label inside it does, and lets the clicks through.
  auto* text = new QLabel(caption, button);
  text->setFont(font);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignCenter);
  text->setTextFormat(Qt::PlainText);
  text->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* layout = new QVBoxLayout(button);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(text);
  button->setAccessibleName(caption);
  button->setAttribute(Qt::WA_NoMousePropagation);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}
}  // namespace

CommandButton::CommandButton(QWidget* parent, QRectF designTwips, double pointSize,
                             const QString& caption)
    : Control(makeButton(parent, pointSize, caption), designTwips),
      button_(static_cast<QPushButton*>(widget())),
      text_(button_->findChild<QLabel*>()),
      caption_(caption) {
  QObject::connect(button_, &QPushButton::clicked, button_, [this] {
    if (click_) click_();
  });
}

void CommandButton::click() { button_->click(); }

void CommandButton::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  text_->setText(caption);
  button_->setAccessibleName(caption);
}

}  // namespace canvas
