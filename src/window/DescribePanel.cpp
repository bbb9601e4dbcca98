#include "window/DescribePanel.h"

#include "window/Words.h"

#include <QAccessible>
#include <QLabel>
#include <QMainWindow>

namespace app {

DescribePanel::DescribePanel(QMainWindow& window, QWidget& picture)
    : QDockWidget(&window), picture_(picture), text_(new QLabel(this)) {
  setObjectName(QStringLiteral("describePanel"));
  Word(this, "page.menu.help.describe", "windowTitle");
  text_->setObjectName(QStringLiteral("described"));
  text_->setWordWrap(true);
  text_->setTextFormat(Qt::PlainText);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setAlignment(Qt::AlignTop | Qt::AlignLeading);
  text_->setMargin(8);
  text_->setFocusPolicy(Qt::StrongFocus);  // reachable by Tab, read by a screen reader
  setWidget(text_);
  window.addDockWidget(Qt::RightDockWidgetArea, this);
  hide();  // until asked for: the window as it always was
}

void DescribePanel::follow(const lab::Lab& lab) {
  const std::string said = described_.next(lab);
  if (said.empty()) return;
  picture_.setAccessibleDescription(QString::fromStdString(lab::DescribePicture(lab)));
  QAccessibleEvent changed(&picture_, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
  say(QString::fromStdString(said));
}

void DescribePanel::describeWhole(const lab::Lab& lab) {
  const QString whole = QString::fromStdString(lab::DescribePicture(lab));
  picture_.setAccessibleDescription(whole);
  show();
  raise();
  say(whole);
  text_->setFocus();
}

QString DescribePanel::said() const { return text_->text(); }

void DescribePanel::say(const QString& text) {
  text_->setText(text);
  text_->setAccessibleName(text);
  // A screen reader hears a changed name as the panel's news.
  QAccessibleEvent changed(text_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace app
