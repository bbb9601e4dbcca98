// The window with a lens of the teacher's choice and with set-ups: the Lens
// menu and panel, a set-up saved from a session and opened in a fresh window
// (pixels included), and the challenge's overlay beside the picture.
#include "lab/LensText.h"
#include "lab/SceneHints.h"
#include "Sessions.h"
#include "TestWindow.h"
#include "WindowState.h"

#include "cli/Actions.h"
#include "lab/SetupRun.h"
#include "outputs/PictureExport.h"
#include "window/ChallengeOverlay.h"
#include "window/LensMenu.h"
#include "window/LensPanel.h"
#include "window/Banner.h"
#include <QTest>
#include "window/SetupMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

using app::Action;
using testing_support::TestWindow;

constexpr QSize kSize{640, 400};

QAction* presetAction(app::Fermat& w, const char* key) {
  for (QAction* a : w.lensMenu().presets()->actions()) {
    if (a->objectName() == QStringLiteral("lens-") + QLatin1String(key)) return a;
  }
  return nullptr;
}

// Sessions of user input, half of them with a prepared lens; the set-up
// saved to a file and opened in a fresh window shows the same labels,
// markers, bars, operations and pixels.
class SavedSetupInTheWindow : public ::testing::TestWithParam<int> {};

TEST_P(SavedSetupInTheWindow, OpensToTheSamePicture) {
  const auto seed = static_cast<std::uint32_t>(GetParam());
  TestWindow t(kSize);
  if (seed % 2 == 1) {
    const auto presets = optics::LensPresets();
    ASSERT_EQ(t.w().setLens(presets[seed / 2 % presets.size()].design), "");
  }
  for (const Action& a : testing_support::RandomSession(seed, 10)) {
    for (const Action& input : testing_support::AsUserInput(t.w(), a)) app::RunAction(t.w(), input);
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("set-up.json"));
  ASSERT_EQ(app::SaveSetup(t.w(), path), QString());
  const lab::SetupRead read = lab::ReadSetupFile(path.toStdString());
  ASSERT_TRUE(read.setup) << read.error;

  TestWindow opened(kSize);
  ASSERT_EQ(opened.w().openSetup(*read.setup), "");
  testing_support::State a = testing_support::stateOf(t), b = testing_support::stateOf(opened);
  // The session showed its messages; the opened one replays them unseen.
  a.messages.clear();
  b.messages.clear();
  EXPECT_EQ(testing_support::difference(a, b), "") << "session " << seed;
  EXPECT_EQ(opened.w().windowTitle(), t.w().windowTitle());
}

INSTANTIATE_TEST_SUITE_P(Sessions, SavedSetupInTheWindow, ::testing::Range(0, 12));

// Each prepared lens from the Lens menu: the title names it, the menu checks
// it, and every button draws with it without a number that is not one.
class LensMenuPreset : public ::testing::TestWithParam<int> {};

TEST_P(LensMenuPreset, TakesTheLensAndEveryButtonWorks) {
  const optics::LensPreset& p = optics::LensPresets()[static_cast<std::size_t>(GetParam())];
  TestWindow t(kSize);
  QAction* action = presetAction(t.w(), p.key);
  ASSERT_NE(action, nullptr) << p.key;
  action->trigger();
  EXPECT_EQ(t.w().lab().lensDesign(), p.design);
  EXPECT_TRUE(action->isChecked());
  // The lens is olive on the picture, and only the lens: the fill found its outline.
  EXPECT_EQ(t.pixelAt(0, 10), qRgb(150, 150, 80)) << p.key;
  EXPECT_NE(t.pixelAt(-150, 10), qRgb(150, 150, 80)) << p.key;
  if (GetParam() != 0) {
    EXPECT_TRUE(t.w().windowTitle().contains(QString::fromStdString(lab::LensPresetName(p)))) << p.key;
  }
  for (int b = 1; b <= 5; ++b) {
    app::RunAction(t.w(), {.kind = Action::Kind::Press, .value = b});
    for (const canvas::Label* l : {&t.form().Label1, &t.form().Label2, &t.form().Label3, &t.form().Label4}) {
      EXPECT_FALSE(l->Caption().contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << p.key << " " << b;
      EXPECT_FALSE(l->Caption().contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << p.key << " " << b;
    }
  }
  app::RunAction(t.w(), {.kind = Action::Kind::Time, .value = 40});
}

INSTANTIATE_TEST_SUITE_P(Presets, LensMenuPreset, ::testing::Range(0, 8));

TEST(LensPanel, AppliesAFieldAtOnceAndRefusesALensThatCannotExist) {
  TestWindow t(kSize);
  app::LensPanel& panel = t.w().lensMenu().openPanel();
  panel.row(app::LensPanel::kIndex).box->setValue(1.5);
  EXPECT_EQ(t.w().lab().lensDesign().N, 1.5);
  EXPECT_TRUE(t.w().windowTitle().contains(QStringLiteral("n = 1.5")));

  const testing_support::State before = testing_support::stateOf(t);
  // A first face of radius 50 cannot reach the target heights.
  panel.row(app::LensPanel::kFirst).box->setValue(50);
  EXPECT_TRUE(panel.status().startsWith(QStringLiteral("Not taken: r1 = 50"))) << panel.status().toStdString();
  EXPECT_EQ(t.w().lab().lensDesign().First.Radius, 180);
  EXPECT_EQ(testing_support::difference(before, testing_support::stateOf(t)), "");

  // The fields keep what was typed: put r1 right again, and the lens is taken.
  panel.row(app::LensPanel::kFirst).box->setValue(180);
  EXPECT_EQ(t.w().lab().lensDesign().N, 1.5);
  // A face's slider passes from bulging through flat to hollow.
  QSlider* r2 = panel.row(app::LensPanel::kSecond).slider;
  r2->setValue(50);
  EXPECT_EQ(t.w().lab().lensDesign().Second.Radius, 200);
  r2->setValue(0);
  EXPECT_TRUE(t.w().lab().lensDesign().Second.Flat);
  r2->setValue(-40);
  EXPECT_EQ(t.w().lab().lensDesign().Second.Radius, -250);
  EXPECT_FALSE(t.w().lab().lensDesign().Second.Flat);

  // A preset from the menu sets the fields.
  presetAction(t.w(), "slab")->trigger();
  EXPECT_TRUE(panel.row(app::LensPanel::kFirst).toggle->isChecked());
  EXPECT_EQ(panel.fields(), t.w().lab().lensDesign());
}

// A number the lens cannot take, typed into a field, is answered with why;
// a lens that swallows the source is taken and says so.
TEST(LensPanel, SaysWhyATypedNumberIsNotTakenAndWhenTheSourceIsInTheGlass) {
  TestWindow t(kSize);
  app::LensPanel& panel = t.w().lensMenu().openPanel();
  for (const double n : {0.5, 10.0}) {
    QDoubleSpinBox* box = panel.row(app::LensPanel::kIndex).box;
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, box->locale().toString(n));  // as the user types it, in the spin box's locale
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(panel.status().startsWith(QStringLiteral("Not taken: n = %1 is out of range").arg(n)))
        << panel.status().toStdString();
    EXPECT_EQ(t.w().lab().lensDesign().N, 2);
  }
  // The field keeps what was typed until it is put right.
  panel.row(app::LensPanel::kIndex).box->setValue(2);
  t.dragSource(-40, 10);
  panel.row(app::LensPanel::kAperture).box->setValue(100);
  panel.row(app::LensPanel::kThickness).box->setValue(200);
  EXPECT_EQ(t.w().lab().lensDesign().Thickness, 200);
  EXPECT_TRUE(panel.status().contains(QString::fromStdString(lab::SourceInGlassHint()))) << panel.status().toStdString();
}

// The hints beside the picture: shown while the scene needs them, gone when
// it no longer does, and none at all with View > Hints beside the picture
// off; never in the picture.
TEST(SceneHints, AreShownBesideThePictureWhileTheSceneNeedsThem) {
  TestWindow t(kSize);
  t.w().show();
  app::Banner& hints = t.w().hints();
  EXPECT_TRUE(hints.isHidden());
  const QImage before = t.canvas().image();
  t.dragSource(-5, 10);
  EXPECT_FALSE(hints.isHidden());
  EXPECT_TRUE(hints.text().contains(QStringLiteral("source lies in the glass"))) << hints.text().toStdString();
  auto* on = t.w().findChild<QAction*>(QStringLiteral("sceneHints"));
  ASSERT_NE(on, nullptr);
  on->setChecked(false);
  EXPECT_TRUE(hints.isHidden());
  on->setChecked(true);
  EXPECT_FALSE(hints.isHidden());
  t.dragSource(-250, 10);
  EXPECT_TRUE(hints.isHidden());
  EXPECT_EQ(t.canvas().image().size(), before.size());
}

// The panel opens beside the picture, clear of the menu bar and the buttons.
TEST(LensPanel, OpensClearOfTheMenusAndTheButtons) {
  TestWindow t(kSize);
  t.w().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.w()));
  app::LensPanel& panel = t.w().lensMenu().openPanel();
  const QRect place(panel.pos(), panel.frameGeometry().size());
  const QWidget* bar = t.w().menuWidget();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(place.intersects(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())));
  canvas::Form& f = t.form();
  for (const canvas::CommandButton* b : {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5}) {
    const QWidget* w = b->widget();
    EXPECT_FALSE(place.intersects(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()))) << b->Caption().toStdString();
  }
}

// The answer is drawn over the picture, never into it.
TEST(ChallengeInTheWindow, RevealsOverThePictureAndLeavesItAlone) {
  TestWindow t(kSize);
  t.w().startChallenge();
  t.dragEntry(-20, 30);
  const testing_support::State before = testing_support::stateOf(t);
  const auto& r = t.w().revealChallenge();
  ASSERT_TRUE(r && r->found);
  EXPECT_EQ(r->tries, 1);
  EXPECT_FALSE(t.w().challengeOverlay().isHidden());
  EXPECT_EQ(testing_support::difference(before, testing_support::stateOf(t)), "");
  // Moving on begins a new round: the answer goes.
  t.dragEntry(-10, 20);
  EXPECT_TRUE(t.w().challengeOverlay().isHidden());
  t.w().stopChallenge();
  EXPECT_FALSE(t.w().lab().challenge().on());
}

}  // namespace

namespace {

// An exported picture names a lens other than the standard one; the standard
// lens's files stay as they were.
TEST(ExportedPicture, NamesTheLensWhenItIsNotTheStandardOne) {
  TestWindow t(kSize);
  QTemporaryDir dir;
  const QString plain = dir.filePath(QStringLiteral("plain.png")), crown = dir.filePath(QStringLiteral("crown.png"));
  ASSERT_EQ(app::ExportPicture(t.form(), plain, 1, canvas::PictureBackground::White, t.w().lensNote()), "");
  EXPECT_TRUE(QImage(plain).text(QStringLiteral("Description")).isEmpty());
  presetAction(t.w(), "crown")->trigger();
  ASSERT_EQ(app::ExportPicture(t.form(), crown, 1, canvas::PictureBackground::White, t.w().lensNote()), "");
  EXPECT_TRUE(QImage(crown).text(QStringLiteral("Description")).contains(QStringLiteral("n=1.5,r1=180")));
}

}  // namespace
