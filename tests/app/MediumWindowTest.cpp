// The medium scene in the window: the Medium menu and its panel take a
// medium as the lab does (a refusal stays in the panel to be mended), and the
// index's shading lies over the picture, never in it.
#include "TestWindow.h"

#include "lab/MediumText.h"
#include "window/ChallengeOverlay.h"
#include "window/Fermat.h"
#include "window/MediumMenu.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;
const QSize kSize(1000, 640);

QAction* choice(app::Fermat& w, const char* key) {
  return w.findChild<QAction*>(QStringLiteral("medium-") + QString::fromLatin1(key));
}

TEST(MediumMenu, TakesEachPresetAndNoneGivesTheLensBack) {
  TestWindow t(kSize);
  for (const lab::MediumPreset& p : lab::MediumPresets()) {
    QAction* a = choice(t.w(), p.key);
    ASSERT_NE(a, nullptr) << p.key;
    a->trigger();
    ASSERT_TRUE(t.w().lab().mediumDesign().has_value()) << p.key;
    EXPECT_EQ(*t.w().lab().mediumDesign(), p.design) << p.key;
    EXPECT_TRUE(a->isChecked()) << p.key;
    EXPECT_TRUE(t.w().windowTitle().contains(QString::fromStdString(lab::MediumPresetName(p)))) << t.w().windowTitle().toStdString();
    EXPECT_FALSE(t.w().form().thesiy.bar()->isEnabled());
  }
  choice(t.w(), "none")->trigger();
  EXPECT_FALSE(t.w().lab().mediumDesign().has_value());
  EXPECT_TRUE(choice(t.w(), "none")->isChecked());
  EXPECT_TRUE(t.w().form().thesiy.bar()->isEnabled());
}

TEST(MediumPanel, TakesATypedMediumAndKeepsARefusalToBeMended) {
  TestWindow t(kSize);
  QDialog& panel = t.w().mediumMenu().openPanel();
  auto* field = panel.findChild<QLineEdit*>(QStringLiteral("mediumText"));
  auto* said = panel.findChild<QLabel*>(QStringLiteral("mediumSaid"));
  ASSERT_NE(field, nullptr);
  ASSERT_NE(said, nullptr);
  EXPECT_EQ(field->text(), "none");
  EXPECT_EQ(t.w().mediumMenu().takeText(QStringLiteral("fibre,n0=1.4,a=0.005")), "");
  ASSERT_TRUE(t.w().lab().mediumDesign().has_value());
  EXPECT_EQ(lab::MediumText(t.w().lab().mediumDesign()), "fibre,n0=1.4,a=0.005");
  EXPECT_EQ(field->text(), "fibre,n0=1.4,a=0.005");
  // None of the presets: none of them checked.
  for (const lab::MediumPreset& p : lab::MediumPresets()) EXPECT_FALSE(choice(t.w(), p.key)->isChecked()) << p.key;
  const std::string refused = t.w().mediumMenu().takeText(QStringLiteral("fibre,a=7"));
  EXPECT_NE(refused, "");
  EXPECT_EQ(field->text(), "fibre,a=7") << "the refused text stays to be mended";
  EXPECT_EQ(said->text().toStdString(), refused);
  EXPECT_EQ(lab::MediumText(t.w().lab().mediumDesign()), "fibre,n0=1.4,a=0.005");
}

TEST(MediumShading, LiesOverThePictureAndTheSwitchHidesIt) {
  TestWindow t(kSize);
  EXPECT_TRUE(t.w().shadingOverlay().isHidden()) << "the lens scene has no index to shade";
  choice(t.w(), "mirage")->trigger();
  t.w().lab().click(1);
  t.w().catchUp();
  const std::size_t ops = t.w().lab().surface().record().items().size();
  EXPECT_FALSE(t.w().shadingOverlay().isHidden());
  auto* toggle = t.w().findChild<QAction*>(QStringLiteral("mediumShading"));
  ASSERT_NE(toggle, nullptr);
  toggle->setChecked(false);
  EXPECT_TRUE(t.w().shadingOverlay().isHidden());
  toggle->setChecked(true);
  EXPECT_FALSE(t.w().shadingOverlay().isHidden());
  EXPECT_EQ(t.w().lab().surface().record().items().size(), ops) << "the shading drew into the picture";
}

}  // namespace
