// The mirror scene in the window: the Mirror menu and panel take a mirror as
// the lab does, the greyed buttons take no click, and the ellipses of "why"
// lie over the picture, never in it.
#include "TestWindow.h"

#include "cli/Actions.h"
#include "lab/MirrorText.h"
#include "lab/Run.h"
#include "window/ChallengeOverlay.h"
#include "window/Fermat.h"
#include "window/MirrorMenu.h"
#include "window/MirrorPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;
const QSize kSize(1000, 640);

QAction* choice(app::Fermat& w, const char* key) {
  return w.findChild<QAction*>(QStringLiteral("mirror-") + QString::fromLatin1(key));
}

TEST(MirrorMenu, TakesEachPresetAndNoneGivesTheLensBack) {
  TestWindow t(kSize);
  for (const optics::MirrorPreset& p : optics::MirrorPresets()) {
    QAction* a = choice(t.w(), p.key);
    ASSERT_NE(a, nullptr) << p.key;
    a->trigger();
    ASSERT_TRUE(t.w().lab().mirrorDesign().has_value()) << p.key;
    EXPECT_EQ(*t.w().lab().mirrorDesign(), p.design) << p.key;
    EXPECT_TRUE(t.w().windowTitle().contains(QString::fromStdString(lab::MirrorPresetName(p)))) << t.w().windowTitle().toStdString();
    // The height bar is greyed: the target is a marker of its own.
    EXPECT_FALSE(t.w().form().thesiy.bar()->isEnabled());
  }
  choice(t.w(), "none")->trigger();
  EXPECT_FALSE(t.w().lab().mirrorDesign().has_value());
  EXPECT_TRUE(choice(t.w(), "none")->isChecked());
  EXPECT_TRUE(t.w().form().thesiy.bar()->isEnabled());
}

TEST(MirrorPanel, TakesAKindAndATypedNumberAndRefusesAMirrorThatCannotExist) {
  TestWindow t(kSize);
  app::MirrorPanel& panel = t.w().mirrorMenu().openPanel();
  panel.kind()->setCurrentIndex(2);  // none, flat, concave
  emit panel.kind()->activated(2);
  ASSERT_TRUE(t.w().lab().mirrorDesign().has_value());
  EXPECT_EQ(t.w().lab().mirrorDesign()->Kind, optics::MirrorKind::Concave);
  QLineEdit* r = panel.field("r");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->text(), QStringLiteral("300"));
  r->setText(QStringLiteral("150"));
  emit r->editingFinished();
  EXPECT_EQ(t.w().lab().mirrorDesign()->Radius, 150);
  EXPECT_TRUE(choice(t.w(), "tangent-ellipse")->isChecked()) << "the preset it now is";
  // Too strongly curved: refused in one line, nothing changed.
  r->setText(QStringLiteral("3"));
  emit r->editingFinished();
  EXPECT_EQ(t.w().lab().mirrorDesign()->Radius, 150);
  EXPECT_FALSE(panel.status().isEmpty());
  EXPECT_FALSE(panel.status().contains('\n'));
  r->setText(QStringLiteral("wide"));
  emit r->editingFinished();
  EXPECT_EQ(panel.status(), QStringLiteral("type a number for r"));
  // Another kind keeps the panel's rows to that kind's numbers.
  panel.kind()->setCurrentIndex(5);
  emit panel.kind()->activated(5);
  EXPECT_EQ(t.w().lab().mirrorDesign()->Kind, optics::MirrorKind::Elliptical);
  EXPECT_EQ(panel.field("r"), nullptr);
  EXPECT_NE(panel.field("f2y"), nullptr);
}

TEST(MirrorWhy, TheEllipsesLieOverThePictureAndTheSwitchHidesThem) {
  TestWindow t(kSize);
  choice(t.w(), "tangent-ellipse")->trigger();
  for (const char* a : {"source=-140,40", "target=-140,-40", "press=1"}) {
    std::vector<lab::Action> script;
    ASSERT_EQ(lab::ParseAction(a, script), "");
    app::RunAction(t.w(), script[0]);
  }
  const std::size_t ops = t.w().lab().surface().record().items().size();
  EXPECT_FALSE(t.w().whyOverlay().isHidden());
  auto* toggle = t.w().findChild<QAction*>(QStringLiteral("mirrorWhy"));
  ASSERT_NE(toggle, nullptr);
  toggle->setChecked(false);
  EXPECT_TRUE(t.w().whyOverlay().isHidden());
  toggle->setChecked(true);
  EXPECT_FALSE(t.w().whyOverlay().isHidden());
  EXPECT_EQ(t.w().lab().surface().record().items().size(), ops) << "the overlay drew into the picture";
}

}  // namespace
