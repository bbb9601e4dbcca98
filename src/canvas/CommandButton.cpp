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
      caption_(caption),
      designPointSize_(pointSize) {
  QObject::connect(button_, &QPushButton::clicked, button_, [this] {
    if (click_) click_();
  });
}

void CommandButton::click() { button_->click(); }

double CommandButton::captionPointSize() const { return text_->font().pointSizeF(); }

bool CommandButton::captionFits() const {
  const QRect room = button_->contentsRect().marginsRemoved(button_->layout()->contentsMargins());
  return text_->heightForWidth(room.width()) <= room.height();
}

void CommandButton::fitCaption(bool shrink, double minPixels) {
  const QString key = caption_ + QLatin1Char('\n') + QString::number(button_->width()) + QLatin1Char('x') +
                      QString::number(button_->height()) + (shrink ? QLatin1Char('s') : QLatin1Char('d'));
  if (key == fitted_) return;
  fitted_ = key;
  QFont font = text_->font();
  font.setPointSizeF(designPointSize_);
  text_->setFont(font);
  if (!shrink) return;
  // Points to pixels at the screen's logical resolution.
  const double pixelsPerPoint = button_->logicalDpiY() / 72.0;
  while (!captionFits() && (font.pointSizeF() - 0.5) * pixelsPerPoint >= minPixels) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
    text_->setFont(font);
  }
}

void CommandButton::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  text_->setText(caption);
  button_->setAccessibleName(caption);
}

}  // namespace canvas
