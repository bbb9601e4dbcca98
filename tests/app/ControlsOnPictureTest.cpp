// The controls over the picture at the usual screen sizes: the labels draw
// their captions over the drawing without erasing it, no control hides part
// of another, and a marker dropped onto a button can be grabbed again.
#include "TestWindow.h"
#include "cli/Actions.h"
#include "window/LiveLab.h"
#include "canvas/PicturePainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using testing_support::TestWindow;

struct ScreenSize {
  const char* name;
  QSize client;  // the client area a maximised window gets on that screen
};

const auto kScreens = ::testing::Values(
    ScreenSize{"small1280x800", QSize(1280, 770)}, ScreenSize{"laptop1366x768", QSize(1366, 705)},
    ScreenSize{"fullHd1920x1080", QSize(1920, 1017)}, ScreenSize{"fullHdAt200Percent", QSize(960, 477)});

std::vector<canvas::Label*> labels(canvas::Form& f) {
  return {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
}

// Captions as long as the constructions write them.
void fillCaptions(canvas::Form& f) {
  f.Label1.setCaption(QStringLiteral("total reflection     critical = 30.00"));
  f.Label2.setCaption(QStringLiteral("χρόνος = 266.93"));
  f.Label3.setCaption(QStringLiteral("incidence =23.45 refraction =11.48"));
  f.Label4.setCaption(QStringLiteral("n = 2.000"));
  f.Label5.setCaption(QStringLiteral("Number of points=100"));
  f.Label6.setCaption(QStringLiteral("t=100"));
}

// Where a label's text (with its halo) may differ from the drawing beneath.
QRect textBox(const canvas::Label& l) {
  const QWidget* w = l.widget();
  const QRect box = QFontMetrics(w->font()).boundingRect(QRect(QPoint(0, 0), w->size()),
                                                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, l.Caption());
  const int halo = 3;
  return box.translated(w->pos()).adjusted(-halo, -halo, halo, halo);
}

// One mouse event of the left button at a point of the form, sent to `target`.
void sendMouse(canvas::Form& f, QWidget* target, QEvent::Type type, QPoint at) {
  const QPointF local = target->mapFrom(&f, at);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

class OnScreen : public ::testing::TestWithParam<ScreenSize> {};

// Coloured lines of the drawing through every label, then the captions: the
// window and an exported picture show the drawing everywhere in the label
// but under its text, and the retained image never gets the text or halo.
TEST_P(OnScreen, LabelsShowTheDrawingBeneathThem) {
  TestWindow t(GetParam().client);
  canvas::Form& f = t.form();
  for (const canvas::Label* l : labels(f)) {
    const QRectF r = l->pixelRect();
    const QPointF a = f.canvas.toWorld(r.topLeft()), b = f.canvas.toWorld(r.bottomRight());
    const QPointF c = f.canvas.toWorld(r.center());
    t.surface().Line(a.x(), a.y(), b.x(), b.y(), canvas::kBlack);
    t.surface().Line(a.x(), c.y(), b.x(), c.y(), numeric::kBlue);
    t.surface().Line(c.x(), a.y(), c.x(), b.y(), numeric::kRed);
  }
  const QImage retained = f.canvas.image().copy();
  fillCaptions(f);
  // The export drawn without any label is what the labels' export must show
  // around their text.
  for (canvas::Label* l : labels(f)) l->widget()->hide();
  const QImage bare =
      canvas::RenderPicture(f, 1, true, canvas::PictureBackground::Window).convertToFormat(QImage::Format_RGB32);
  for (canvas::Label* l : labels(f)) l->widget()->show();
  const QImage exported =
      canvas::RenderPicture(f, 1, true, canvas::PictureBackground::Window).convertToFormat(QImage::Format_RGB32);
  const QImage drawing = canvas::RenderDrawing(f.canvas, 1, true).convertToFormat(QImage::Format_RGB32);
  const QImage shown = f.snapshot().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), drawing.size());
  for (const canvas::Label* l : labels(f)) {
    const QRect r = l->widget()->geometry() & drawing.rect();
    const QRect text = textBox(*l);
    // In the window, other controls may lie over a label's empty part.
    auto covered = [&](int x, int y) {
      for (const QObject* o : f.children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (w != nullptr && w != l->widget() && !w->isHidden() && w->geometry().contains(x, y)) return true;
      }
      return false;
    };
    int lined = 0, wrongShown = 0, wrongExported = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        if (text.contains(x, y)) continue;
        if (bare.pixel(x, y) != canvas::kBackground) ++lined;
        if (exported.pixel(x, y) != bare.pixel(x, y)) ++wrongExported;
        if (!covered(x, y) && shown.pixel(x, y) != drawing.pixel(x, y)) ++wrongShown;
      }
    }
    const std::string name = l->Caption().toStdString();
    EXPECT_GT(lined, 0) << name << ": the lines must run through the label outside its text";
    EXPECT_EQ(wrongShown, 0) << name << ": the window erases the drawing under the label";
    EXPECT_EQ(wrongExported, 0) << name << ": the exported picture erases the drawing under the label";
  }
  EXPECT_EQ(f.canvas.image(), retained) << "the captions or their halo reached the retained image";
}

// Every point of every button, bar (arrows included) and the Play button
// takes the mouse itself, and every label's text is not under another control.
TEST_P(OnScreen, NoControlHidesPartOfAnother) {
  TestWindow t(GetParam().client);
  canvas::Form& f = t.form();
  fillCaptions(f);
  // Shown, as the user sees it: the Play button follows the time bar then.
  t.w().show();
  QApplication::processEvents();
  struct Area {
    QWidget* widget;
    QRect rect;
  };
  std::vector<Area> areas;
  for (canvas::Control* c :
       std::initializer_list<canvas::Control*>{&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5,
                                               &f.thesiy, &f.arithmosaktinon, &f.xronosmetato})
    areas.push_back({c->widget(), c->widget()->geometry()});
  QWidget* play = &t.w().live().playButton();
  areas.push_back({play, play->geometry()});
  // A label's text as far as the label shows it.
  for (canvas::Label* l : labels(f))
    areas.push_back({l->widget(), textBox(*l).adjusted(3, 3, -3, -3) & l->widget()->geometry()});
  for (const Area& a : areas) {
    ASSERT_TRUE(f.rect().contains(a.rect)) << a.widget->metaObject()->className() << " leaves the client area";
    int hidden = 0;
    const char* over = "";
    constexpr int kSteps = 8;
    for (int i = 0; i <= kSteps; ++i) {
      for (int j = 0; j <= kSteps; ++j) {
        const QPoint p(a.rect.left() + 1 + (a.rect.width() - 3) * i / kSteps,
                       a.rect.top() + 1 + (a.rect.height() - 3) * j / kSteps);
        QWidget* hit = f.childAt(p);
        if (hit != a.widget && !a.widget->isAncestorOf(hit)) {
          ++hidden;
          over = hit != nullptr ? hit->metaObject()->className() : "nothing";
        }
      }
    }
    EXPECT_EQ(hidden, 0) << a.widget->metaObject()->className() << " at " << a.rect.x() << "," << a.rect.y()
                         << " is partly under another control: " << over;
  }
  // The ray-count bar's up arrow, which a label once covered on a large screen.
  QScrollBar* rays = f.arithmosaktinon.bar();
  const int before = rays->value();
  const QPoint up(rays->width() / 2, 4);
  QWidget* target = f.childAt(rays->mapTo(&f, up));
  ASSERT_EQ(target, rays);
  QTest::mouseClick(target, Qt::LeftButton, {}, up);
  EXPECT_EQ(f.arithmosaktinon.Value(), before - 1);
}

INSTANTIATE_TEST_SUITE_P(Screens, OnScreen, kScreens, testing_support::ByName{});

// A marker dropped onto a button is pressed where the user sees it: the
// press reaches the canvas and grabs the marker, the button does not fire.
TEST(MarkerOnAControl, CanBeGrabbedAgainAndTheButtonStaysUnpressed) {
  TestWindow t(QSize(1366, 705));
  canvas::Form& f = t.form();
  t.w().show();
  for (canvas::CommandButton* b : {&f.Command1, &f.Command3}) {
    for (canvas::Shape* marker : {&f.shmeio, &f.kyklos}) {
      const QPointF centre = QRectF(b->widget()->geometry()).center();
      const QPointF world = f.canvas.toWorld(centre);
      app::RunAction(t.w(), {.kind = marker == &f.shmeio ? app::Action::Kind::Entry : app::Action::Kind::Source,
                             .x = static_cast<float>(world.x()),
                             .y = static_cast<float>(world.y())});
      ASSERT_TRUE(b->widget()->geometry().contains(marker->widget()->geometry().center()));
      const bool fermatBefore = t.w().model().fermat().has_value();
      const bool bundleBefore = t.w().model().bundle().has_value();
      const std::size_t opsBefore = t.log().size();
      // As Qt delivers them: the press to the topmost widget under the
      // pointer, the moves and the release to that widget too (the implicit
      // grab), each at the position mapped into it at that moment.
      const QPoint at = marker->widget()->geometry().center();
      QWidget* under = f.childAt(at);
      ASSERT_NE(under, nullptr);
      sendMouse(f, under, QEvent::MouseButtonPress, at);
      EXPECT_TRUE(marker == &f.shmeio ? t.w().lab().DraggingPoint : t.w().lab().DraggingSource)
          << "the press on the marker over " << b->Caption().toStdString() << " did not grab it";
      // Each marker its own place, so that neither lies over the other.
      const QPoint away = (marker == &f.shmeio ? f.canvas.toPixel(-100, -60) : f.canvas.toPixel(-250, 60)).toPoint();
      sendMouse(f, under, QEvent::MouseMove, (at + away) / 2);
      sendMouse(f, under, QEvent::MouseMove, away);
      sendMouse(f, under, QEvent::MouseButtonRelease, away);
      const QPointF now = QRectF(marker->widget()->geometry()).center();
      EXPECT_NEAR(now.x(), away.x(), 2.0);
      EXPECT_NEAR(now.y(), away.y(), 2.0);
      EXPECT_EQ(t.w().model().fermat().has_value(), fermatBefore) << "the button under the marker fired";
      EXPECT_EQ(t.w().model().bundle().has_value(), bundleBefore) << "the button under the marker fired";
      EXPECT_GT(t.log().size(), opsBefore) << "the release drew no path";
    }
  }
}

}  // namespace
