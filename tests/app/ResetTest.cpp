// File > Reset puts the window back as a fresh start leaves it, whatever a
// session did before: labels, markers, bars, the operations drawn since the
// start (all of them, so the ones since the last Cls too), the drawing state
// and the model; and the next input then does exactly what it does after a
// fresh start.
#include "lab/LensText.h"
#include "Sessions.h"
#include "TestWindow.h"
#include "cli/Actions.h"
#include "window/LiveLab.h"

#include <QAction>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;
constexpr QSize kClient(1280, 800);

struct ResetCase {
  const char* name;
  std::uint32_t seed;
  bool byMenu;  // File > Reset, or the window's reset() as the `reset` action calls it
};

void expectSameWindow(TestWindow& a, TestWindow& b) {
  canvas::Form &f = a.form(), &g = b.form();
  EXPECT_EQ(app::LabelLines(a.w()), app::LabelLines(b.w()));
  for (auto shape : {&canvas::Form::shmeio, &canvas::Form::kyklos}) {
    EXPECT_EQ((f.*shape).widget()->geometry(), (g.*shape).widget()->geometry());
    EXPECT_EQ(testing_support::WorldBoxOf(f.*shape).left, testing_support::WorldBoxOf(g.*shape).left);
    EXPECT_EQ(testing_support::WorldBoxOf(f.*shape).top, testing_support::WorldBoxOf(g.*shape).top);
  }
  for (auto bar : {&canvas::Form::thesiy, &canvas::Form::arithmosaktinon, &canvas::Form::xronosmetato}) {
    EXPECT_EQ((f.*bar).Value(), (g.*bar).Value());
    EXPECT_EQ((f.*bar).widget()->isEnabled(), (g.*bar).widget()->isEnabled());
  }
  EXPECT_EQ(app::TraceText(a.w()), app::TraceText(b.w()));
  EXPECT_EQ(a.surface().record().items().size(), b.surface().record().items().size());
  EXPECT_TRUE(a.surface().drawingState() == b.surface().drawingState());
  EXPECT_EQ(f.canvas.image(), g.canvas.image());
  EXPECT_EQ(a.w().lab().activeMarker(), b.w().lab().activeMarker());
  const app::SceneModel &m = a.w().model(), &n = b.w().model();
  EXPECT_EQ(m.fermat().has_value(), n.fermat().has_value());
  EXPECT_EQ(m.bundle().has_value(), n.bundle().has_value());
  EXPECT_EQ(m.rayContinuation().has_value(), n.rayContinuation().has_value());
  EXPECT_EQ(m.bundleContinuation().has_value(), n.bundleContinuation().has_value());
  EXPECT_TRUE(m.path().Source == n.path().Source && m.path().Entry == n.path().Entry);
  EXPECT_EQ(m.path().Target.x, n.path().Target.x);
  EXPECT_EQ(m.path().Target.y, n.path().Target.y);
  EXPECT_EQ(m.path().Time, n.path().Time);
}

class ResetAfterSession : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetAfterSession, EqualsAFreshStart) {
  TestWindow fresh(kClient), used(kClient);
  for (const app::Action& a : testing_support::RandomSession(GetParam().seed, 30)) app::RunAction(used.w(), a);
  if (GetParam().byMenu) {
    auto* reset = used.w().findChild<QAction*>(QStringLiteral("reset"));
    ASSERT_NE(reset, nullptr);
    reset->trigger();
  } else {
    app::RunAction(used.w(), {.kind = app::Action::Kind::Reset});
  }
  expectSameWindow(used, fresh);
  // From there on the two are one: the same inputs draw the same.
  for (const app::Action& a : {app::Action{.kind = app::Action::Kind::Rays, .value = 23},
                               app::Action{.kind = app::Action::Kind::Press, .value = 5},
                               app::Action{.kind = app::Action::Kind::Time, .value = 40},
                               app::Action{.kind = app::Action::Kind::Entry, .x = -10, .y = 30},
                               app::Action{.kind = app::Action::Kind::Press, .value = 1}}) {
    app::RunAction(used.w(), a);
    app::RunAction(fresh.w(), a);
  }
  expectSameWindow(used, fresh);
}

INSTANTIATE_TEST_SUITE_P(Sessions, ResetAfterSession,
                         ::testing::Values(ResetCase{"seed1ByMenu", 1, true}, ResetCase{"seed7", 7, false},
                                           ResetCase{"seed42ByMenu", 42, true}, ResetCase{"seed2026", 2026, false}),
                         testing_support::ByName{});

// The command line's `reset` is the same: labels as without any action before it.
TEST(ResetAction, OnTheCommandLineLeavesTheStartUpLabels) {
  auto labels = [](const QStringList& actions) {
    QProcess p;
    p.start(QStringLiteral(FERMAT_LENS_BINARY), QStringList{QStringLiteral("--print-labels")} + actions);
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  const QString start = labels({});
  ASSERT_FALSE(start.isEmpty());
  const QString pressed = labels({QStringLiteral("rays=30"), QStringLiteral("press=1")});
  EXPECT_NE(pressed, start);
  EXPECT_EQ(labels({QStringLiteral("rays=30"), QStringLiteral("press=5"), QStringLiteral("reset")}), start);
}

}  // namespace

namespace {

// Reset keeps the lens in force (a lesson's, the teacher's), as its menu
// entry says; the Lens menu's standard lens goes back to the standard one.
// After a reset with a lens the window is what a fresh start with that lens
// shows.
TEST(ResetAction, KeepsTheLensAsItsMenuEntrySaysAndTheStandardLensGoesBack) {
  TestWindow used(kClient), fresh(kClient);
  optics::LensDesign meniscus = optics::LensPresets()[6].design;
  ASSERT_EQ(used.w().setLens(meniscus), "");
  ASSERT_EQ(fresh.w().setLens(meniscus), "");
  for (const app::Action& a : testing_support::RandomSession(5, 20)) {
    if (a.kind != app::Action::Kind::Lens && a.kind != app::Action::Kind::Reset) app::RunAction(used.w(), a);
  }
  auto* reset = used.w().findChild<QAction*>(QStringLiteral("reset"));
  ASSERT_NE(reset, nullptr);
  EXPECT_TRUE(reset->text().contains(QStringLiteral("lens stays"))) << reset->text().toStdString();
  reset->trigger();
  EXPECT_EQ(used.w().lab().lensDesign(), meniscus);
  // A fresh start with the lens: markers and bars as at start-up, the picture the lens's.
  fresh.w().reset();
  expectSameWindow(used, fresh);
  const QList<QAction*> actions = used.w().findChildren<QAction*>();
  const auto standard = std::find_if(actions.begin(), actions.end(), [](const QAction* a) {
    return a->text().remove(QLatin1Char('&')) == QString::fromStdString(lab::LensPresetName(optics::LensPresets()[0]));
  });
  ASSERT_NE(standard, actions.end()) << "no Lens menu entry for the standard lens";
  (*standard)->trigger();
  EXPECT_EQ(used.w().lab().lensDesign(), optics::LensDesign{});
}

}  // namespace
