// What a screen reader finds in the window: the picture, each bar and marker
// and button by name, role and value; after each complete action the lab's
// words for what changed (the Describe panel, the picture's description);
// Help > Describe the picture; every name in the language chosen.
#include "TestWindow.h"

#include "lab/Describe.h"
#include "text/Language.h"
#include "text/Translations.h"
#include "lab/Contrast.h"
#include "lab/Sound.h"
#include "window/DescribePanel.h"
#include "window/SoundPlayer.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;

QAccessibleInterface* accessible(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

QString nameOf(QObject* o) {
  QAccessibleInterface* a = accessible(o);
  return a ? a->text(QAccessible::Name) : QString();
}

class Accessibility : public testing::Test {
 protected:
  void SetUp() override {
    text::AddBuiltInTranslations();
    t.w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.w()));
    t.w().activateWindow();
    t.form().setFocus();
    QApplication::processEvents();
  }
  text::LanguageScope scope_{""};
  TestWindow t{QSize(960, 600)};
};

TEST_F(Accessibility, EveryControlHasANameARoleAndAValue) {
  canvas::Form& f = t.form();
  EXPECT_EQ(nameOf(&f), QString::fromStdString(text::Tr("page.stage.picture")));
  const std::pair<canvas::ScrollBar*, const char*> bars[] = {
      {&f.thesiy, "page.stage.heightBar"}, {&f.arithmosaktinon, "page.stage.raysBar"}, {&f.xronosmetato, "page.stage.timeBar"}};
  for (const auto& [bar, key] : bars) {
    QAccessibleInterface* a = accessible(bar->bar());
    ASSERT_NE(a, nullptr) << key;
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromStdString(text::Tr(key))) << key;
    EXPECT_EQ(a->role(), QAccessible::ScrollBar) << key;
    ASSERT_NE(a->valueInterface(), nullptr) << key;
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), bar->bar()->value()) << key;
  }
  EXPECT_EQ(nameOf(f.kyklos.widget()), QString::fromStdString(text::Tr("page.stage.source")));
  EXPECT_EQ(nameOf(f.shmeio.widget()), QString::fromStdString(text::Tr("page.stage.entry")));
  canvas::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5};
  for (canvas::CommandButton* b : buttons) {
    QAccessibleInterface* a = accessible(b->widget());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(a->text(QAccessible::Name).remove(QLatin1Char('&')), b->Caption().remove(QLatin1Char('&')));
  }
  // The labels read as the text they show.
  QTest::keyClick(&f, Qt::Key_1, Qt::ControlModifier);
  for (canvas::Label* l : {&f.Label2, &f.Label3}) {
    EXPECT_EQ(nameOf(l->widget()), l->Caption());
    EXPECT_FALSE(l->Caption().isEmpty());
  }
  // A bar moved by its keys reads its new value.
  QTest::keyClick(f.arithmosaktinon.bar(), Qt::Key_Up);
  EXPECT_EQ(accessible(f.arithmosaktinon.bar())->valueInterface()->currentValue().toInt(), f.arithmosaktinon.bar()->value());
}

TEST_F(Accessibility, EachCompleteActionIsDescribedOnce) {
  canvas::Form& f = t.form();
  app::DescribePanel& panel = t.w().describePanel();
  EXPECT_FALSE(panel.isVisible()) << "the window opens as it always did";
  QTest::keyClick(&f, Qt::Key_1, Qt::ControlModifier);
  const QString fermat = panel.said();
  EXPECT_TRUE(fermat.contains(QStringLiteral("at the least-time point"))) << fermat.toStdString();
  // The time said is Label2's.
  const QString time = f.Label2.Caption().section(QLatin1Char(' '), -1);
  EXPECT_TRUE(fermat.contains(time)) << fermat.toStdString() << " / " << f.Label2.Caption().toStdString();
  EXPECT_EQ(accessible(&f)->text(QAccessible::Description).toStdString(), lab::DescribePicture(t.w().lab()));

  QTest::keyClick(&f, Qt::Key_M);  // the entry point moves by the arrows
  QTest::keyClick(&f, Qt::Key_Up, Qt::ShiftModifier);
  const QString moved = panel.said();
  EXPECT_TRUE(moved.contains(QStringLiteral("units above the least-time point"))) << moved.toStdString();

  QTest::keyClick(&f, Qt::Key_5, Qt::ControlModifier);
  EXPECT_TRUE(panel.said().contains(QStringLiteral("wavefront"))) << panel.said().toStdString();
  EXPECT_EQ(accessible(&f)->text(QAccessible::Description).toStdString(), lab::DescribePicture(t.w().lab()));
}

TEST_F(Accessibility, DescribeThePictureShowsTheWholeSceneInTheLanguageChosen) {
  QTest::keyClick(&t.form(), Qt::Key_2, Qt::ControlModifier);
  QAction* describe = t.w().findChild<QAction*>(QStringLiteral("describe"));
  ASSERT_NE(describe, nullptr);
  describe->trigger();
  app::DescribePanel& panel = t.w().describePanel();
  EXPECT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.said().toStdString(), lab::DescribePicture(t.w().lab()));
  EXPECT_TRUE(panel.said().contains(QStringLiteral("A bundle of"))) << panel.said().toStdString();

  QAction* german = t.w().findChild<QAction*>(QStringLiteral("language-de"));
  ASSERT_NE(german, nullptr);
  german->trigger();
  describe->trigger();
  EXPECT_TRUE(panel.said().contains(QStringLiteral("Bündel"))) << panel.said().toStdString();
  EXPECT_EQ(panel.windowTitle().toStdString(), text::Tr("page.menu.help.describe"));
  EXPECT_EQ(nameOf(t.form().thesiy.bar()).toStdString(), text::Tr("page.stage.heightBar"));
  EXPECT_NE(nameOf(t.form().thesiy.bar()), QStringLiteral("target height"));
}

}  // namespace

namespace {

// Zero crossings a second of a stretch of samples: twice its pitch.
double pitchOf(const std::vector<float>& s, std::size_t from, std::size_t count) {
  int crossings = 0;
  for (std::size_t i = from + 1; i < from + count; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  return crossings / (2.0 * count / lab::kWavSampleRate);
}

TEST_F(Accessibility, HearTheTravelTimeWhenSwitchedOn) {
  canvas::Form& f = t.form();
  QAction* sound = t.w().findChild<QAction*>(QStringLiteral("sound"));
  ASSERT_NE(sound, nullptr);
  EXPECT_FALSE(sound->isChecked()) << "silent unless chosen";
  QTest::keyClick(&f, Qt::Key_L);
  EXPECT_TRUE(t.w().sound().played().empty());

  sound->trigger();
  const std::size_t tone = std::lround(lab::kToneSeconds * lab::kWavSampleRate);
  QTest::keyClick(&f, Qt::Key_BracketRight, Qt::ShiftModifier);
  QTest::keyClick(&f, Qt::Key_L);
  const std::vector<float>& played = t.w().sound().played();
  ASSERT_EQ(played.size(), 2 * tone);
  // Ten units off the least-time point the tone is higher; at it, the base pitch.
  EXPECT_GT(pitchOf(played, 0, tone), lab::kToneBaseHz * 1.02);
  EXPECT_NEAR(pitchOf(played, tone, tone), lab::kToneBaseHz, 10);

  sound->trigger();
  QTest::keyClick(&f, Qt::Key_BracketRight);
  EXPECT_TRUE(t.w().sound().played().empty()) << "off again: silent";
}

}  // namespace

namespace {

// Pixels of exactly this colour in the image.
int pixelsOf(const QImage& image, QRgb colour) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) n += (row[x] | 0xff000000u) == (colour | 0xff000000u);
  }
  return n;
}

TEST_F(Accessibility, HighContrastRepaintsTheRecordNeverTheRetainedImage) {
  canvas::Form& f = t.form();
  QTest::keyClick(&f, Qt::Key_2, Qt::ControlModifier);  // a bundle: red rays over the olive lens
  QApplication::processEvents();
  const QImage retained = t.canvas().image().copy();
  const QImage plain = f.grab().toImage();
  QAction* contrast = t.w().findChild<QAction*>(QStringLiteral("highContrast"));
  ASSERT_NE(contrast, nullptr);
  EXPECT_FALSE(contrast->isChecked()) << "the program's own picture unless chosen";

  contrast->trigger();
  QApplication::processEvents();
  const QImage high = f.grab().toImage();
  const QRgb red = numeric::kRed, darkerRed = lab::ContrastColour(numeric::kRed);
  ASSERT_GT(pixelsOf(plain, red), 100);
  EXPECT_EQ(pixelsOf(high, red), 0) << "a pure red pen left in the high-contrast picture";
  // Twice as wide: about twice as many pixels of the ray colour.
  EXPECT_GT(pixelsOf(high, darkerRed), 1.5 * pixelsOf(plain, red));
  EXPECT_EQ(t.canvas().image(), retained) << "the theme reached the retained image";

  contrast->trigger();
  QApplication::processEvents();
  EXPECT_EQ(f.grab().toImage(), plain) << "off again: the program's own picture";
}

}  // namespace
