// The window with real mouse events, and the scene model it keeps: what the
// model holds after each kind of press, the signals it gives, and that a
// stored bundle continuation replays to exactly what the slider draws.
#include "TestWindow.h"

#include "core/BundleContinuation.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;

TEST(StartUp, CaptionsShowTheBarsDesignValues) {
  TestWindow t;
  EXPECT_EQ(t.w().windowTitle(), QString::fromUtf8("Πορεία Ακτίνων: αρχή Fermat"));
  EXPECT_EQ(t.form().Label1.Caption(), QString::fromUtf8("ψ= 0"));
  EXPECT_EQ(t.form().Label5.Caption(), "number of points=10");
  EXPECT_EQ(t.form().Label6.Caption(), "time=5");
}

// Press on the source marker, move and release with Qt's own events: the marker follows the pointer, the path
// is drawn from where it was released, and the model's path says the same.
TEST(RealMouse, DraggingTheSourceLeavesItUnderThePointer) {
  TestWindow t;
  t.w().show();
  canvas::Form& f = t.form();
  QSignalSpy pathChanged(&t.w().model(), &app::SceneModel::pathChanged);
  const lab::ShapeCentre s = testing_support::CentreOf(f.kyklos);
  const QPoint from = f.canvas.toPixel(s.x, s.y).toPoint(), to = from + QPoint(-90, 70);
  const double unit = 1000.0 / (1280 + 800);  // world units a pixel
  const double wantX = s.x - 90 * unit, wantY = s.y - 70 * unit;
  QTest::mousePress(&f, Qt::LeftButton, {}, from);
  QTest::mouseMove(&f, from + QPoint(-30, 30));
  QTest::mouseMove(&f, to);
  QTest::mouseRelease(&f, Qt::LeftButton, {}, to);
  const lab::ShapeCentre now = testing_support::CentreOf(f.kyklos);
  EXPECT_NEAR(now.x, wantX, 1.5 * unit);
  EXPECT_NEAR(now.y, wantY, 1.5 * unit);
  EXPECT_TRUE(f.Label2.Caption().startsWith(QStringLiteral("time = ")));
  ASSERT_EQ(pathChanged.count(), 1);
  const app::SceneModel::Path& p = t.w().model().path();
  EXPECT_TRUE(p.Source.x == now.x && p.Source.y == now.y && p.Time.has_value());
}

// Each press leaves its result in the model and says so once; the model agrees with what the labels show.
TEST(SceneModel, HoldsEachPressesResultAndSignalsIt) {
  TestWindow t;
  app::SceneModel& m = t.w().model();
  QSignalSpy fermat(&m, &app::SceneModel::fermatChanged), bundle(&m, &app::SceneModel::bundleChanged),
      ray(&m, &app::SceneModel::rayContinuationChanged), cont(&m, &app::SceneModel::bundleContinuationChanged);
  t.dragSource(-200, 30);
  t.form().Command1.click();
  ASSERT_TRUE(m.fermat() && m.fermat()->Found);
  const lab::ShapeCentre e = testing_support::CentreOf(t.form().shmeio);
  EXPECT_NEAR(e.x, m.fermat()->EntryX, 1e-3);
  EXPECT_NEAR(e.y, m.fermat()->EntryY, 1e-3);
  EXPECT_EQ(m.path().Time, m.fermat()->Time);
  t.form().Command3.click();
  ASSERT_TRUE(m.bundle() && m.wavelets());
  EXPECT_EQ(m.bundle()->Rays.size(), std::size_t(t.form().arithmosaktinon.Value() + 1));
  t.form().thesiy.setValue(40);
  t.form().Command4.click();
  ASSERT_TRUE(m.rayContinuation());
  EXPECT_TRUE(m.rayContinuation()->Continued);
  EXPECT_EQ(t.form().Label4.Caption(), QStringLiteral("n = 2.00"));
  t.form().Command5.click();
  ASSERT_TRUE(m.bundleContinuation() && m.bundleWavelets());
  EXPECT_FALSE(m.wavelets()) << "the continuation's bundle replaced the one with first wavelets";
  EXPECT_EQ(m.bundleWavelets()->Slider, t.form().xronosmetato.Value());
  EXPECT_EQ(fermat.count(), 1);
  EXPECT_EQ(bundle.count(), 2);
  EXPECT_EQ(ray.count(), 1);
  EXPECT_EQ(cont.count(), 1);
}

// What the live view will do: the stored continuation, replayed for a new slider value onto a fresh picture,
// gives operation for operation what the slider itself draws after its static scene.
TEST(SceneModel, StoredContinuationReplaysToTheSlidersPicture) {
  TestWindow replayed, moved;
  for (TestWindow* t : {&replayed, &moved}) {
    t->dragSource(-150, -40);
    t->form().arithmosaktinon.setValue(14);
    t->form().Command5.click();
  }
  moved.surface().clearLog();
  moved.form().xronosmetato.setValue(37);
  const std::vector<lab::Op> slider = moved.log();

  const app::SceneModel& m = replayed.w().model();
  const core::BundleWavelets w = core::WaveletsAt(*m.bundleContinuation(), replayed.scene().lens(), 37);
  replayed.surface().clearLog();
  replayed.w().lab().replay(core::BundleContinuationDrawing(*m.bundleContinuation(), w));
  replayed.w().catchUp();
  const std::vector<lab::Op>& replay = replayed.log();
  ASSERT_GT(slider.size(), replay.size());
  const std::size_t offset = slider.size() - replay.size();  // the clear and the static scene come first
  EXPECT_EQ(slider.front().kind, lab::Op::Kind::Cls);
  for (std::size_t i = 0; i < replay.size(); ++i) {
    const lab::Op &a = replay[i], &b = slider[offset + i];
    ASSERT_TRUE(a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.r == b.r &&
                a.color == b.color && a.width == b.width && a.style == b.style && a.fill == b.fill)
        << "operation " << i;
  }
}

}  // namespace
