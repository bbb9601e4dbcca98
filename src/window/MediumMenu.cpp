#include "window/Words.h"
#include "window/MediumMenu.h"

#include "lab/MediumText.h"
#include "lab/Run.h"
#include "lab/ViewTexts.h"
#include "window/Fermat.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

#include <optional>

namespace app {
namespace {

// What each entry of the menu takes, in the menu's order: none first.
std::optional<optics::MediumDesign> choiceAt(int i) {
  if (i == 0) return std::nullopt;
  return lab::MediumPresets()[static_cast<std::size_t>(i - 1)].design;
}

}  // namespace

MediumMenu::MediumMenu(Fermat& window) : QObject(&window), window_(window), choices_(new QActionGroup(this)) {
  QMenu* menu = Word(window.menuBar()->addMenu(QString()), "view.mediumMenu", "title");
  menu->setObjectName(QStringLiteral("mediumMenu"));
  const auto presets = lab::MediumPresets();
  const int count = static_cast<int>(presets.size()) + 1;
  for (int i = 0; i < count; ++i) {
    const bool none = i == 0;
    const lab::MediumPreset& p = presets[static_cast<std::size_t>(none ? 0 : i - 1)];
    QAction* a = Word(menu->addAction(QString()), none ? std::string("view.noMedium") : std::string("preset.medium.") + p.key);
    a->setObjectName(none ? QStringLiteral("medium-none") : QStringLiteral("medium-") + QString::fromLatin1(p.key));
    a->setCheckable(true);
    choices_->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] {
      if (const std::string e = window_.setMedium(choiceAt(i)); !e.empty()) {
        QMessageBox::warning(&window_, Tr("view.mediumTitle"), QString::fromStdString(e));
      }
      catchUp();
    });
    if (none) menu->addSeparator();
  }
  menu->addSeparator();
  shading_ = Word(menu->addAction(QString()), "view.indexShading");
  shading_->setObjectName(QStringLiteral("mediumShading"));
  shading_->setCheckable(true);
  shading_->setChecked(true);
  connect(shading_, &QAction::toggled, this, [this] { window_.catchUp(); });
  QAction* panel = Word(menu->addAction(QString(), [this] { openPanel(); }), "view.mediumPanel");
  panel->setObjectName(QStringLiteral("mediumPanelAction"));
  panel->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  window.addLensFollower([this] { catchUp(); });
  catchUp();
}

QDialog& MediumMenu::openPanel() {
  if (!panel_) {
    panel_ = new QDialog(&window_);
    panel_->setObjectName(QStringLiteral("mediumPanel"));
    panel_->setAttribute(Qt::WA_DeleteOnClose);
    Word(panel_.data(), "view.mediumPanelTitle", "windowTitle");
    auto* layout = new QVBoxLayout(panel_);
    auto* prompt = Word(new QLabel(panel_), "view.mediumPrompt");
    prompt->setWordWrap(true);
    field_ = new QLineEdit(panel_);
    field_->setObjectName(QStringLiteral("mediumText"));
    field_->setMinimumWidth(360);
    prompt->setBuddy(field_);
    said_ = new QLabel(panel_);
    said_->setObjectName(QStringLiteral("mediumSaid"));
    said_->setWordWrap(true);
    layout->addWidget(prompt);
    layout->addWidget(field_);
    layout->addWidget(said_);
    connect(field_, &QLineEdit::returnPressed, this, [this] { (void)takeText(field_->text()); });
  }
  catchUp();
  panel_->show();
  panel_->raise();
  panel_->activateWindow();
  return *panel_;
}

std::string MediumMenu::takeText(const QString& text) {
  std::optional<optics::MediumDesign> design;
  std::string e = lab::ReadMedium(text.trimmed().toStdString(), design);
  if (e.empty()) e = window_.setMedium(design);
  catchUp();
  // A refusal stays in the field to be mended; catchUp wrote the medium in force.
  if (!e.empty() && field_) {
    field_->setText(text);
    said_->setText(QString::fromStdString(e));
  }
  return e;
}

void MediumMenu::catchUp() {
  choices_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const std::optional<optics::MediumDesign> now = window_.lab().mediumDesign();
  const QList<QAction*> actions = choices_->actions();
  for (int i = 0; i < actions.size(); ++i) actions[i]->setChecked(choiceAt(i) == now);
  shading_->setEnabled(now.has_value());
  if (field_) {
    field_->setText(QString::fromStdString(lab::MediumText(now)));
    said_->setText(now ? QString::fromStdString(lab::SceneSummary(window_.lab())) : QString());
  }
}

}  // namespace app
