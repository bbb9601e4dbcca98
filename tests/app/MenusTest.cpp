// The menus every desktop program has, and the background of the pictures
// that leave the program.
#include "lab/Lessons.h"
#include "TestWindow.h"
#include "window/HelpTexts.h"
#include "window/KeyTable.h"
#include "window/MenuBar.h"
#include "outputs/PictureExport.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;
constexpr QSize kClient(1280, 800);

QAction* action(app::Fermat& w, const char* name) {
  return w.findChild<QAction*>(QString::fromLatin1(name));
}

struct MenuEntry {
  const char* name;
  const char* menu;
  QKeySequence shortcut;  // empty: none asked for
};

class MenuEntries : public ::testing::TestWithParam<MenuEntry> {};

TEST_P(MenuEntries, SitInTheirMenuWithTheirKeys) {
  TestWindow t(kClient);
  QAction* a = action(t.w(), GetParam().name);
  ASSERT_NE(a, nullptr) << GetParam().name;
  if (!GetParam().shortcut.isEmpty()) {
    EXPECT_EQ(a->shortcut(), GetParam().shortcut);
  }
  bool found = false;
  for (QAction* top : t.w().menuBar()->actions()) {
    if (top->menu() != nullptr && top->text().remove(QLatin1Char('&')) == QLatin1String(GetParam().menu))
      found = top->menu()->actions().contains(a);
  }
  EXPECT_TRUE(found) << GetParam().name << " is not in " << GetParam().menu;
}

INSTANTIATE_TEST_SUITE_P(Entries, MenuEntries,
                         ::testing::Values(MenuEntry{"quit", "File", QKeySequence(QStringLiteral("Ctrl+Q"))},
                                           MenuEntry{"reset", "File", QKeySequence(QStringLiteral("Ctrl+R"))},
                                           MenuEntry{"guide", "Help", {}}, MenuEntry{"keys", "Help", {}},
                                           MenuEntry{"about", "Help", {}}),
                         [](const ::testing::TestParamInfo<MenuEntry>& i) { return std::string(i.param.name); });

TEST(Menus, QuitClosesTheWindow) {
  TestWindow t(kClient);
  t.w().show();
  ASSERT_TRUE(t.w().isVisible());
  action(t.w(), "quit")->trigger();
  EXPECT_FALSE(t.w().isVisible());
}

TEST(HelpTexts, AboutNamesVersionLicenceAndSource) {
  const QString about = app::AboutText();
  EXPECT_TRUE(about.contains(QStringLiteral(FERMAT_LENS_VERSION))) << about.toStdString();
  EXPECT_TRUE(about.contains(QStringLiteral("MIT")));
  EXPECT_TRUE(about.contains(QStringLiteral("https://github.com/fermat-lens/fermat-lens")));
}

// The guide names every button by the caption it shows, and says what the
// window's marks are.
TEST(HelpTexts, GuideNamesEveryButtonAsItReadsAndWhatTheWindowShows) {
  TestWindow t(kClient);
  const QString guide = app::GuideText();
  canvas::Form& f = t.form();
  for (const canvas::CommandButton* b : {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5})
    EXPECT_TRUE(guide.contains(QStringLiteral("<b>") + b->Caption() + QStringLiteral("</b>")))
        << b->Caption().toStdString();
  for (const char* words : {"red dot", "blue dot", "target point", "&psi;", "points", "centres of curvature"})
    EXPECT_TRUE(guide.contains(QString::fromUtf8(words))) << words;
  // The graph of the crossings: the lesson it points to is there by its title.
  EXPECT_TRUE(guide.contains(QString::fromStdString(lab::FindLesson("exact-crossings")->title())));
}

// --help's key list: every description starts in the same column.
TEST(HelpTexts, KeysAreAlignedInTwoColumns) {
  const QStringList lines = app::KeysHelp().split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), static_cast<qsizetype>(app::KeyRows().size()));
  qsizetype column = -1;
  for (std::size_t i = 0; i < app::KeyRows().size(); ++i) {
    const QString& line = lines[static_cast<qsizetype>(i)];
    const qsizetype at = line.indexOf(app::KeyRows()[i].what);
    ASSERT_GT(at, 0) << line.toStdString();
    EXPECT_TRUE(line.startsWith(QStringLiteral("  ") + app::KeyRows()[i].keys)) << line.toStdString();
    EXPECT_EQ(line.mid(at - 2, 2), QStringLiteral("  ")) << line.toStdString();
    if (column < 0) column = at;
    EXPECT_EQ(at, column) << line.toStdString();
  }
  const QString table = app::KeysTable();
  EXPECT_EQ(table.count(QStringLiteral("<tr>")), static_cast<qsizetype>(app::KeyRows().size()));
}

struct BackgroundCase {
  const char* name;
  canvas::PictureBackground background;
  QRgb expected;  // an empty part of the picture, with alpha
};

class PictureBackgrounds : public ::testing::TestWithParam<BackgroundCase> {};

// Export and copy put the chosen colour (or nothing) under the drawing; the
// drawing and the window itself are unchanged.
TEST_P(PictureBackgrounds, ExportAndCopyUseTheChoiceTheWindowKeepsItsColour) {
  TestWindow t(kClient);
  canvas::Form& f = t.form();
  const QPoint empty = f.canvas.toPixel(-150, -150).toPoint();
  const QPoint lens = f.canvas.toPixel(0, 30).toPoint();
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("picture.png"));
  ASSERT_EQ(app::ExportPicture(f, png, 1, GetParam().background), "");
  const QImage exported(png);
  EXPECT_EQ(exported.pixel(empty), GetParam().expected);
  EXPECT_EQ(exported.pixel(lens), canvas::Rgb(150, 150, 80));

  for (QAction* a : t.w().findChild<QActionGroup*>(QStringLiteral("pictureBackground"))->actions())
    if (a->data().toInt() == static_cast<int>(GetParam().background)) a->trigger();
  EXPECT_EQ(app::ChosenBackground(t.w()), GetParam().background);
  action(t.w(), "copyPicture")->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.pixel(empty * f.devicePixelRatioF()), GetParam().expected);

  const QImage window = f.snapshot();
  EXPECT_EQ(window.pixel(empty) | 0xff000000u, canvas::kBackground);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PictureBackgrounds,
    ::testing::Values(BackgroundCase{"white", canvas::PictureBackground::White, 0xffffffffu},
                      BackgroundCase{"transparent", canvas::PictureBackground::Transparent, 0x00000000u},
                      BackgroundCase{"window", canvas::PictureBackground::Window, canvas::kBackground}),
    testing_support::ByName{});

TEST(PictureBackgrounds, WhiteUnlessChosenOtherwise) {
  TestWindow t(kClient);
  EXPECT_EQ(app::ChosenBackground(t.w()), canvas::PictureBackground::White);
  QTemporaryDir dir;
  const QString svg = dir.filePath(QStringLiteral("picture.svg"));
  ASSERT_EQ(app::ExportPicture(t.form(), svg), "");
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("fill=\"#ffffff\""))) << "no white under the drawing";
  EXPECT_FALSE(text.contains(QStringLiteral("fill=\"#f0f0f0\""))) << "the window's grey left the program";
}

}  // namespace
