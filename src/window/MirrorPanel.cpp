#include "window/Words.h"
#include "window/MirrorPanel.h"

#include "lab/MirrorPanelRows.h"
#include "lab/MirrorText.h"
#include "lab/ViewTexts.h"
#include "window/Fermat.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace app {
namespace {

// The combo's entries: none first, then the kinds in the lab's order.
int indexOf(const std::optional<optics::MirrorDesign>& d) {
  if (!d) return 0;
  const auto kinds = lab::MirrorKinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (kinds[i].kind == d->Kind) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace

MirrorPanel::MirrorPanel(Fermat& window)
    : QWidget(&window, Qt::Tool), window_(window), kind_(new QComboBox), form_(new QFormLayout), status_(new QLabel) {
  Word(this, "view.mirrorTitle", "windowTitle");
  setObjectName(QStringLiteral("mirrorPanel"));
  kind_->setObjectName(QStringLiteral("mirrorKind"));
  kind_->addItem(Tr("view.noMirror"));
  for (const lab::MirrorKindEntry& k : lab::MirrorKinds()) kind_->addItem(Tr(k.name));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QFormLayout;
  top->addRow(Word(new QLabel(this), "view.mirrorKind"), kind_);
  layout->addLayout(top);
  layout->addLayout(form_);
  status_->setObjectName(QStringLiteral("mirrorStatus"));
  status_->setStyleSheet(QStringLiteral("color: #8a1c1c"));
  layout->addWidget(status_);
  connect(kind_, &QComboBox::activated, this, [this](int i) { takeKind(i); });
  window.addLensFollower([this] { catchUp(); });
  catchUp();
}

QString MirrorPanel::status() const { return status_->text(); }

QLineEdit* MirrorPanel::field(const char* key) const {
  return findChild<QLineEdit*>(QStringLiteral("mirror-") + QString::fromLatin1(key));
}

void MirrorPanel::takeKind(int index) {
  std::optional<optics::MirrorDesign> design;
  if (index > 0) {
    const lab::MirrorEdit e =
        lab::MirrorOfKind(window_.lab().mirrorDesign().value_or(optics::MirrorDesign{}),
                          lab::MirrorKinds()[static_cast<std::size_t>(index - 1)].word);
    if (!e.design) {
      status_->setText(QString::fromStdString(e.error));
      catchUp();
      return;
    }
    design = e.design;
  }
  const std::string refused = window_.setMirror(design);
  status_->setText(QString::fromStdString(refused));
  catchUp();
}

void MirrorPanel::takeField(const char* key, QLineEdit* edit) {
  const std::optional<optics::MirrorDesign> now = window_.lab().mirrorDesign();
  if (!now) return;
  const lab::MirrorEdit e = lab::EditMirror(*now, key, edit->text().trimmed().toStdString());
  std::string refused = e.error;
  if (e.design && *e.design != *now) refused = window_.setMirror(e.design);
  status_->setText(QString::fromStdString(refused));
  if (refused.empty()) catchUp();
}

void MirrorPanel::rebuild() {
  while (form_->rowCount() > 0) form_->removeRow(0);
  const std::optional<optics::MirrorDesign> d = window_.lab().mirrorDesign();
  if (!d) return;
  for (const lab::MirrorPanelRow& row : lab::MirrorPanelRows(d->Kind)) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("mirror-") + QString::fromLatin1(row.key));
    edit->setToolTip(Tr(row.hint));
    const char* key = row.key;  // the table's own text, alive for the program's life
    connect(edit, &QLineEdit::editingFinished, this, [this, key, edit] { takeField(key, edit); });
    form_->addRow(Tr(row.label), edit);
  }
}

void MirrorPanel::catchUp() {
  const std::optional<optics::MirrorDesign> d = window_.lab().mirrorDesign();
  const int index = indexOf(d);
  if (kind_->currentIndex() != index) kind_->setCurrentIndex(index);
  if (index != shownKind_) {
    shownKind_ = index;
    rebuild();
  }
  if (!d) return;
  const lab::MirrorShape* shape = window_.lab().mirror();
  for (const lab::MirrorPanelRow& row : lab::MirrorPanelRows(d->Kind)) {
    QLineEdit* edit = field(row.key);
    if (!edit || edit->hasFocus()) continue;
    const QString text = QString::fromStdString(lab::MirrorFieldText(*d, shape->mirror, row.key));
    if (edit->text() != text) edit->setText(text);
  }
}

}  // namespace app
