#include "window/LanguageMenu.h"

#include "text/Language.h"
#include "text/Translations.h"
#include "window/Fermat.h"
#include "window/MenuBar.h"
#include "window/Words.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace app {

void AddLanguageMenu(Fermat& window) {
  text::AddBuiltInTranslations();  // every language the program is built with
  QMenu* menu = Word(ViewMenuOf(window)->addMenu(QString()), "window.view.language", "title");
  menu->setObjectName(QStringLiteral("languageMenu"));
  auto* group = new QActionGroup(menu);
  group->setObjectName(QStringLiteral("languages"));
  for (const text::LanguageInfo& l : text::Languages()) {
    if (l.code == text::kPseudoLanguage) continue;  // the tests' language: --lang qps
    // Each language by its own name, the same in every language; the original by the catalogue's word.
    QAction* a = l.code.empty() ? Word(menu->addAction(QString()), "window.view.original")
                                : menu->addAction(QString::fromStdString(l.name));
    a->setObjectName(QStringLiteral("language-") + QString::fromStdString(l.code.empty() ? "original" : l.code));
    a->setData(QString::fromStdString(l.code));
    a->setCheckable(true);
    a->setChecked(l.code == text::LanguageInForce());
    group->addAction(a);
    QObject::connect(a, &QAction::triggered, &window, [&window, code = l.code] {
      (void)window.setLanguage(code);
      if (window.languageChosen) window.languageChosen(code);
    });
  }
}

}  // namespace app
