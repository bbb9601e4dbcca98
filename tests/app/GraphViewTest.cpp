// The graph view in its own window: opened from the View menu, following the
// scene, closed again, and never touching the main window's picture or frame.
#include "graphs/CurveTexts.h"
#include "TestWindow.h"
#include "optics/LensDesign.h"
#include "lab/StaticScene.h"
#include "lab/Lessons.h"

#include "cli/Actions.h"
#include "lab/Results.h"
#include "window/ViewMenu.h"
#include "views/BundleCharts.h"
#include "views/CurveChart.h"
#include "views/GraphView.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QTabWidget>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXYSeries>

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsSimpleTextItem>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include <algorithm>

namespace {

using app::Action;
using testing_support::TestWindow;
using Kind = Action::Kind;

std::vector<const QXYSeries*> seriesNamed(const QChart& chart, const QString& name) {
  std::vector<const QXYSeries*> out;
  for (QAbstractSeries* s : chart.series()) {
    if (s->objectName() == name) out.push_back(static_cast<const QXYSeries*>(s));
  }
  return out;
}

const QXYSeries& only(const QChart& chart, const QString& name) {
  const auto all = seriesNamed(chart, name);
  EXPECT_EQ(all.size(), 1u) << name.toStdString();
  return *all.at(0);
}

// The view shows exactly the data of the scene as it stands.
void expectShows(const views::GraphView& v, TestWindow& t) {
  const graphs::CurveData d = lab::CurrentCurve(t.w().model().results(), t.scene().lens());
  const QChart& curve = *v.curveChart()->chart();
  const QList<QPointF> points = only(curve, "curve").points();
  ASSERT_EQ(points.size(), static_cast<qsizetype>(d.samples.size()));
  for (std::size_t k = 0; k < d.samples.size(); ++k) {
    ASSERT_EQ(points[static_cast<qsizetype>(k)], QPointF(d.samples[k].y, d.samples[k].time));
  }
  ASSERT_TRUE(d.least.has_value());
  EXPECT_EQ(only(curve, "least").points(), QList<QPointF>{QPointF(d.least->y, d.least->time)});
  // The legend in the lab's words, the page's graph's too.
  EXPECT_EQ(only(curve, "least").name().toStdString(), graphs::LeastTimeLine(d));
  for (const QPointF& p : only(curve, "hand").points()) EXPECT_EQ(p.y(), d.hand.time);

  const std::vector<graphs::BundleRayRow> rows = lab::CurrentBundle(t.w().model().results(), t.scene().lens());
  const QChart& arrival = *v.bundleCharts()->arrivalView()->chart();
  const QList<QPointF> times = only(arrival, "arrival").points();
  ASSERT_EQ(times.size(), static_cast<qsizetype>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(times[static_cast<qsizetype>(i)], QPointF(rows[i].exitY, rows[i].arrivalTime));
  }
  // Every construction's crossing is a point; the line of exact crossings
  // joins only neighbouring rays that both cross, so each ray without an
  // exact crossing breaks it.
  const QChart& crossing = *v.bundleCharts()->crossingView()->chart();
  QList<QPointF> crossings;
  std::vector<QList<QPointF>> runs(1);
  for (const graphs::BundleRayRow& r : rows) {
    if (const std::optional<double> x = graphs::AxisCrossing(r)) crossings.append({r.exitY, *x});
    if (r.exactAxisX) {
      runs.back().append({r.exitY, *r.exactAxisX});
    } else {
      runs.emplace_back();
    }
  }
  EXPECT_EQ(only(crossing, "axisCrossingPoints").points(), crossings);
  std::erase_if(runs, [](const QList<QPointF>& run) { return run.empty(); });
  const auto pieces = seriesNamed(crossing, "exactCrossing");
  ASSERT_EQ(pieces.size(), runs.size());
  for (std::size_t k = 0; k < runs.size(); ++k) EXPECT_EQ(pieces[k]->points(), runs[k]);
  // However many pieces, the curve is named once in the legend (the legend
  // lays out its new markers when the events are processed).
  QApplication::processEvents();
  int named = 0;
  for (QLegendMarker* m : crossing.legend()->markers()) {
    named += m->isVisible() && m->series()->objectName() == QStringLiteral("exactCrossing");
  }
  EXPECT_EQ(named, pieces.empty() ? 0 : 1);
  // The paraxial image as a level line across the exit heights, only where
  // the source is on the axis and the image real.
  const std::optional<double> image = lab::CurrentParaxialImage(t.w().model().results(), t.scene().lens());
  const auto reference = seriesNamed(crossing, "paraxialImage");
  ASSERT_EQ(reference.size(), image && !rows.empty() ? 1u : 0u);
  for (const auto* line : reference) {
    ASSERT_EQ(line->points().size(), 2);
    for (const QPointF& p : line->points()) EXPECT_EQ(p.y(), *image);
  }
}

void processDeletions() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(GraphView, OpensFollowsTheSceneAndClosesWithoutTouchingThePicture) {
  TestWindow t, twin;  // the twin gets the same input without ever opening the view
  t.w().show();
  QAction* open = t.w().viewMenu().travelTime();
  EXPECT_EQ(open->text(), "Travel time");
  EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
  EXPECT_EQ(t.w().viewMenu().graphView(), nullptr);
  open->trigger();
  views::GraphView* v = t.w().viewMenu().graphView();
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(v->isVisible());
  EXPECT_TRUE(v->isWindow());
  // A tool window of the main window, not part of its client area.
  EXPECT_EQ(v->parentWidget(), &t.w());
  EXPECT_EQ(v->windowType(), Qt::Tool);
  // The bundle's tab in front: a legend marker shows only on a chart on screen.
  v->tabs()->setCurrentIndex(1);
  expectShows(*v, t);

  // Four rays and a source high above the axis: the outer rays are totally
  // reflected, so the crossings have gaps.
  const std::vector<Action> actions{
      {.kind = Kind::Source, .x = -260, .y = 30}, {.kind = Kind::Height, .value = -40},
      {.kind = Kind::Rays, .value = 16},          {.kind = Kind::Press, .value = 2},
      {.kind = Kind::Time, .value = 40},          {.kind = Kind::Entry, .x = -12, .y = 30},
      {.kind = Kind::Source, .x = -60, .y = 140}, {.kind = Kind::Press, .value = 5},
      {.kind = Kind::Source, .x = -250, .y = 0},  {.kind = Kind::Rays, .value = 40},
      {.kind = Kind::Press, .value = 5},          {.kind = Kind::Press, .value = 1}};
  for (const Action& a : actions) {
    app::RunAction(t.w(), a);
    app::RunAction(twin.w(), a);
    SCOPED_TRACE(app::ActionText(a));
    expectShows(*v, t);
  }
  // The last bundle's source stands on the axis: its paraxial image is drawn.
  EXPECT_EQ(seriesNamed(*v->bundleCharts()->crossingView()->chart(), "paraxialImage").size(), 1u);
  EXPECT_TRUE(v->isVisible());
  v->close();
  processDeletions();
  EXPECT_EQ(t.w().viewMenu().graphView(), nullptr);
  app::RunAction(t.w(), {.kind = Kind::Press, .value = 5});  // nothing to feed: no harm
  app::RunAction(twin.w(), {.kind = Kind::Press, .value = 5});

  EXPECT_EQ(app::TraceText(t.w()), app::TraceText(twin.w()));
  EXPECT_EQ(app::LabelLines(t.w()), app::LabelLines(twin.w()));
  EXPECT_EQ(t.canvas().image(), twin.canvas().image());
}

// The menu bar sits above the client area: the form keeps the size it was
// given, which fixed the world frame, and the view opens beside the lens,
// below the axis where the rays meet it.
TEST(GraphView, LeavesTheClientAreaAndTheLensAndControlsUncovered) {
  // The whole window on the offscreen platform's 800x600 screen.
  const QSize client(800, 570);
  TestWindow t(client);
  t.w().show();
  QApplication::processEvents();
  EXPECT_EQ(t.w().centralWidget()->size(), client);
  EXPECT_EQ(t.form().size(), client);
  const float xMax = t.scene().XMax, yMax = t.scene().YMax;

  t.w().viewMenu().travelTime()->trigger();
  QApplication::processEvents();
  const views::GraphView* v = t.w().viewMenu().graphView();
  ASSERT_NE(v, nullptr);
  EXPECT_GE(v->width(), 280);
  EXPECT_GE(v->height(), 180);
  EXPECT_EQ(t.w().centralWidget()->size(), client);
  EXPECT_EQ(t.scene().XMax, xMax);
  EXPECT_EQ(t.scene().YMax, yMax);

  canvas::Form& f = t.form();
  const QRect view = v->frameGeometry();
  const QPointF lensTop = f.canvas.toPixel(-15, t.scene().HalfAperture);
  const QPointF lensBottom = f.canvas.toPixel(17, -t.scene().HalfAperture);
  const QRect lens(f.mapToGlobal(lensTop.toPoint()), f.mapToGlobal(lensBottom.toPoint()));
  EXPECT_FALSE(view.intersects(lens));
  // The axis right of the lens, and a band about it, where the bundle's rays cross it.
  const QRect axis(f.mapToGlobal(f.canvas.toPixel(17, 20).toPoint()),
                   f.mapToGlobal(f.canvas.toPixel(xMax, -20).toPoint()));
  EXPECT_FALSE(view.intersects(axis)) << "the view covers the axis where the rays meet";
  for (const canvas::Control* c : std::initializer_list<const canvas::Control*>{
           &f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5, &f.thesiy, &f.arithmosaktinon,
           &f.xronosmetato, &f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6}) {
    const QRect r(f.mapToGlobal(c->widget()->geometry().topLeft()), c->widget()->size());
    EXPECT_FALSE(view.intersects(r)) << c->widget()->metaObject()->className() << " at " << r.x() << "," << r.y() << " "
                                     << r.width() << "x" << r.height() << "; view at " << view.x() << "," << view.y()
                                     << " " << view.width() << "x" << view.height();
  }
}

// Whatever the lens in force (every preset, every lesson's), the view opens
// clear of its glass and of the target marker on its second face.
struct LensPlace {
  std::string name;
  std::optional<optics::LensDesign> lens;  // or the lesson's
  const char* lesson = nullptr;
};

void PrintTo(const LensPlace& p, std::ostream* os) { *os << p.name; }

class GraphViewPlace : public ::testing::TestWithParam<LensPlace> {};

TEST_P(GraphViewPlace, LeavesTheLensInForceAndItsTargetUncovered) {
  TestWindow t(QSize(800, 570));
  t.w().show();
  QApplication::processEvents();
  if (GetParam().lens) {
    ASSERT_EQ(t.w().setLens(*GetParam().lens), "");
  } else {
    ASSERT_EQ(t.w().openLesson(*lab::FindLesson(GetParam().lesson)), "");
  }
  t.w().viewMenu().travelTime()->trigger();
  QApplication::processEvents();
  const views::GraphView* v = t.w().viewMenu().graphView();
  ASSERT_NE(v, nullptr);
  canvas::Form& f = t.form();
  double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
  const auto outline = lab::LensOutline(t.scene());  // held: the loop reads the points it owns
  ASSERT_TRUE(outline);
  for (const core::Point& p : *outline) {
    const QPointF q = f.canvas.toPixel(p.x, p.y);
    left = std::min(left, q.x()), right = std::max(right, q.x()), top = std::min(top, q.y()), bottom = std::max(bottom, q.y());
  }
  const core::Point target = lab::TargetPoint(t.w().lab().controls().thesiy.value, t.scene());
  const QPointF tp = f.canvas.toPixel(target.x, target.y);
  right = std::max(right, tp.x() + 4);
  const QRect glass(f.mapToGlobal(QPoint(int(left), int(top))), f.mapToGlobal(QPoint(int(right) + 1, int(bottom) + 1)));
  const QRect view = v->frameGeometry();
  EXPECT_FALSE(view.intersects(glass)) << "view at " << view.x() << "," << view.y() << " " << view.width() << "x"
                                       << view.height() << "; glass and target " << glass.x() << "," << glass.y() << " "
                                       << glass.width() << "x" << glass.height();
}

std::vector<LensPlace> lensPlaces() {
  std::vector<LensPlace> out;
  for (const optics::LensPreset& p : optics::LensPresets()) out.push_back({std::string("preset_") + p.key, p.design});
  for (const lab::Lesson& l : lab::Lessons()) {
    std::string name = std::string("lesson_") + l.key;
    std::replace(name.begin(), name.end(), '-', '_');
    out.push_back({name, std::nullopt, l.key});
  }
  for (LensPlace& p : out) std::replace(p.name.begin(), p.name.end(), '-', '_');
  return out;
}

INSTANTIATE_TEST_SUITE_P(LensesAndLessons, GraphViewPlace, ::testing::ValuesIn(lensPlaces()),
                         [](const ::testing::TestParamInfo<LensPlace>& i) { return i.param.name; });

// At the sizes the window opens at on a laptop's and a full-HD screen (and
// up to its largest), no tab elides a title, a tick label or a legend entry
// to "...": every text item of every chart reads whole.
class GraphViewSize : public ::testing::TestWithParam<QSize> {};

TEST_P(GraphViewSize, ElidesNoTextOfAnyTab) {
  TestWindow t(QSize(1366, 705));
  app::RunAction(t.w(), {.kind = Kind::Press, .value = 5});
  t.w().viewMenu().openGraphs();
  views::GraphView* v = t.w().viewMenu().graphView();
  ASSERT_NE(v, nullptr);
  v->resize(GetParam());
  v->show();
  auto* tabs = v->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  int texts = 0;
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    QApplication::processEvents();
    for (QChartView* view : tabs->currentWidget()->findChildren<QChartView*>()) {
      if (!view->isVisible()) continue;
      for (const QGraphicsItem* item : view->scene()->items()) {
        if (!item->isVisible()) continue;
        QString text;
        if (const auto* rich = dynamic_cast<const QGraphicsTextItem*>(item)) text = rich->toPlainText();
        if (const auto* simple = dynamic_cast<const QGraphicsSimpleTextItem*>(item)) text = simple->text();
        if (text.isEmpty()) continue;
        ++texts;
        EXPECT_FALSE(text.contains(QStringLiteral("...")) || text.contains(QChar(0x2026)))
            << tabs->tabText(i).toStdString() << " at " << GetParam().width() << "x" << GetParam().height() << ": "
            << text.toStdString();
      }
    }
  }
  EXPECT_GT(texts, 40) << "the charts' texts were not found";
}

// An export of the equal-time tab is its charts, without the field below them.
TEST(GraphView, ExportsATabsChartsWithoutItsFields) {
  TestWindow t(QSize(1366, 705));
  app::RunAction(t.w(), {.kind = Kind::Press, .value = 5});
  t.w().viewMenu().openGraphs();
  views::GraphView* v = t.w().viewMenu().graphView();
  ASSERT_NE(v, nullptr);
  v->resize(600, 400);
  v->show();
  auto* tabs = v->findChild<QTabWidget*>();
  tabs->setCurrentIndex(2);
  QApplication::processEvents();
  const QWidget* charts = tabs->currentWidget()->findChild<QWidget*>(QStringLiteral("charts"));
  ASSERT_NE(charts, nullptr);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("equal-time.png"));
  ASSERT_EQ(v->exportPicture(path), QString());
  EXPECT_EQ(QImage(path).size(), charts->size());
  EXPECT_LT(charts->height(), tabs->currentWidget()->height()) << "the field is not below the charts";
}

INSTANTIATE_TEST_SUITE_P(Sizes, GraphViewSize,
                         ::testing::Values(QSize(507, 268), QSize(600, 330), QSize(760, 560)),
                         [](const ::testing::TestParamInfo<QSize>& i) {
                           return std::to_string(i.param.width()) + "x" + std::to_string(i.param.height());
                         });

TEST(GraphView, ExportsTheVisibleTabAsPngSvgOrPdfOrSaysWhyNot) {
  TestWindow t;
  t.w().show();
  app::RunAction(t.w(), {.kind = app::Action::Kind::Press, .value = 5});
  t.w().viewMenu().openGraphs();
  views::GraphView& v = *t.w().viewMenu().graphView();
  QTemporaryDir dir;
  v.tabs()->setCurrentIndex(1);
  const QSize tab = v.tabs()->currentWidget()->size();
  const QString png = dir.filePath("bundle.png"), svg = dir.filePath("bundle.svg"), pdf = dir.filePath("bundle.pdf");
  for (const QString& path : {png, svg, pdf}) EXPECT_EQ(v.exportPicture(path), QString()) << path.toStdString();
  EXPECT_EQ(QImage(png).size(), tab);
  // The charts as vectors: the SVG parses at the tab's size and draws paths.
  const QSvgRenderer renderer(svg);
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox().size(), tab);
  QFile svgFile(svg);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QByteArray svgBytes = svgFile.readAll();
  EXPECT_GT(svgBytes.count("<polyline") + svgBytes.count("<path") + svgBytes.count("<circle"), 10);
  EXPECT_GT(svgBytes.count("<text"), 5) << "the axes' numbers as text";
  QFile pdfFile(pdf);
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  const QByteArray pdfBytes = pdfFile.readAll();
  EXPECT_TRUE(pdfBytes.startsWith("%PDF"));
  EXPECT_EQ(pdfBytes.count("/Type /Page\n") + pdfBytes.count("/Type /Page\r"), 1);
  EXPECT_NE(v.exportPicture(dir.filePath("bundle.gif")), QString()) << "an unknown extension";
  const QString error = v.exportPicture(dir.filePath("missing/folder/x.png"));
  EXPECT_TRUE(error.contains("missing/folder/x.png")) << error.toStdString();
  EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
}

}  // namespace
