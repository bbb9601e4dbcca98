// View ▸ Language: every text of the window in the language chosen at once,
// right to left in Arabic with the picture unmirrored, and back to the
// original's words character for character.
#include "TestWindow.h"
#include "text/Language.h"
#include "text/Translations.h"
#include "views/GraphView.h"
#include "window/ViewMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;

// Every menu's title and every entry's text, in order, as the user reads them.
QStringList menuWords(app::Fermat& w) {
  QStringList out;
  for (QAction* top : w.menuBar()->actions()) {
    out << top->text();
    if (QMenu* m = top->menu())
      for (QAction* a : m->actions()) out << a->text();
  }
  return out;
}

QStringList buttonWords(app::Fermat& w) {
  canvas::Form& f = w.form();
  return {f.Command1.Caption(), f.Command2.Caption(), f.Command3.Caption(), f.Command4.Caption(),
          f.Command5.Caption()};
}

class LanguageMenu : public testing::Test {
 protected:
  void SetUp() override { text::AddBuiltInTranslations(); }
  void choose(const char* code) {
    QAction* a = t.w().findChild<QAction*>(QStringLiteral("language-") + QString::fromLatin1(code));
    ASSERT_NE(a, nullptr) << code;
    a->trigger();
  }
  text::LanguageScope scope_{""};
  TestWindow t;
};

TEST_F(LanguageMenu, SwitchesEveryTextAndBack) {
  app::Fermat& w = t.w();
  std::string chosen;
  w.languageChosen = [&chosen](const std::string& code) { chosen = code; };
  w.lab().click(1);
  w.catchUp();
  const QStringList menus = menuWords(w), buttons = buttonWords(w);
  const QString title = w.windowTitle(), label2 = w.form().Label2.Caption();

  choose("de");
  EXPECT_EQ(chosen, "de");
  EXPECT_EQ(text::LanguageInForce(), "de");
  const QStringList german = menuWords(w);
  ASSERT_EQ(german.size(), menus.size());
  int changed = 0;
  for (qsizetype i = 0; i < menus.size(); ++i) changed += german[i] != menus[i];
  EXPECT_GT(changed * 10, menus.size() * 7) << german.join(QStringLiteral(" | ")).toStdString();
  EXPECT_EQ(buttonWords(w)[0], QString::fromStdString(text::Tr("button.command1")));
  EXPECT_NE(buttonWords(w), buttons);
  EXPECT_NE(w.windowTitle(), title);
  EXPECT_TRUE(w.form().Label2.Caption().contains(QStringLiteral(","))) << "a German decimal comma";

  choose("original");
  EXPECT_EQ(menuWords(w), menus);
  EXPECT_EQ(buttonWords(w), buttons);
  EXPECT_EQ(w.windowTitle(), title);
  EXPECT_EQ(w.form().Label2.Caption(), label2);
}

TEST_F(LanguageMenu, ArabicRunsRightToLeftButThePictureDoesNot) {
  app::Fermat& w = t.w();
  w.lab().click(2);
  w.catchUp();
  const QImage picture = w.form().canvas.image();
  const QRect button = w.form().Command1.widget()->geometry();

  choose("ar");
  EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(w.menuBar()->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(w.form().layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(w.form().canvas.image(), picture) << "the picture is the same, light still goes left to right";
  EXPECT_EQ(w.form().Command1.widget()->geometry(), button) << "the controls stay where the lab places them";

  choose("original");
  EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(w.menuBar()->layoutDirection(), Qt::LeftToRight);
}

TEST_F(LanguageMenu, RewordsAnOpenGraphView) {
  app::Fermat& w = t.w();
  w.viewMenu().openGraphs();
  ASSERT_NE(w.viewMenu().graphView(), nullptr);
  const QString before = w.viewMenu().graphView()->windowTitle();
  choose("fr");
  ASSERT_NE(w.viewMenu().graphView(), nullptr) << "it stays open";
  EXPECT_EQ(w.viewMenu().graphView()->windowTitle(), QString::fromStdString(text::Tr("window.view.travelTime")));
  EXPECT_NE(w.viewMenu().graphView()->windowTitle(), before);
}

TEST_F(LanguageMenu, ListsEachLanguageByItsOwnName) {
  const auto* menu = t.w().findChild<QMenu*>(QStringLiteral("languageMenu"));
  ASSERT_NE(menu, nullptr);
  QStringList names;
  for (QAction* a : menu->actions()) names << a->text();
  for (const char* name : {"Deutsch", "Ελληνικά", "العربية", "简体中文"})
    EXPECT_TRUE(names.contains(QString::fromUtf8(name))) << name << " in " << names.join(QStringLiteral(", ")).toStdString();
  EXPECT_FALSE(t.w().findChild<QAction*>(QStringLiteral("language-qps"))) << "the pseudo-language is the tests'";
}

}  // namespace

namespace {

struct Screen {
  const char* name;
  QSize client;
};

class PseudoLanguageLayout : public testing::TestWithParam<Screen> {};

// The pseudo-language is every text 40 % longer: whatever a translation
// brings, the buttons hold their captions whole and the menu bar shows every
// menu without folding any away.
TEST_P(PseudoLanguageLayout, ClipsNothing) {
  text::LanguageScope pseudo(text::kPseudoLanguage);
  TestWindow t(GetParam().client);
  app::Fermat& w = t.w();
  w.resize(GetParam().client + QSize(0, w.menuBar()->sizeHint().height()));
  w.show();
  w.lab().click(5);
  w.catchUp();
  canvas::CommandButton* buttons[] = {&w.form().Command1, &w.form().Command2, &w.form().Command3,
                                      &w.form().Command4, &w.form().Command5};
  for (canvas::CommandButton* b : buttons) {
    EXPECT_TRUE(b->Caption().startsWith(QLatin1Char('['))) << b->Caption().toStdString();
    EXPECT_TRUE(b->captionFits()) << b->Caption().toStdString() << " at " << b->captionPointSize() << " pt";
  }
  const QRect bar = w.menuBar()->rect();
  for (QAction* a : w.menuBar()->actions()) {
    const QRect r = w.menuBar()->actionGeometry(a);
    EXPECT_TRUE(bar.contains(r)) << a->text().toStdString() << " lies outside the menu bar";
    EXPECT_FALSE(r.isEmpty()) << a->text().toStdString() << " is folded away";
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, PseudoLanguageLayout,
                         testing::Values(Screen{"laptop", {1366, 768 - 30}}, Screen{"fullHd", {1920, 1080 - 30}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
