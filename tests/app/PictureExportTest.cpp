// The picture outside the window: exports as SVG, PDF and PNG, and the smooth
// drawing at device pixel ratio 2, checked against the retained image and the
// lens geometry rather than against stored pictures.
#include "TestWindow.h"
#include "cli/Actions.h"
#include "outputs/PictureExport.h"
#include "window/MenuBar.h"
#include "canvas/DrawingCache.h"
#include "canvas/PicturePainter.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <sys/stat.h>

namespace {

using testing_support::TestWindow;
constexpr QSize kClient(1280, 800);

bool near(int a, int b, int tol) { return std::abs(a - b) <= tol; }
bool isOlive(QRgb c) { return near(qRed(c), 150, 30) && near(qGreen(c), 150, 30) && near(qBlue(c), 80, 30); }
bool isReddish(QRgb c) { return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110; }

// Where the exported picture differs from the retained image by design: under
// the labels' text with its halo and under the markers, with a margin.
struct Hidden {
  std::vector<QRect> rects;
  explicit Hidden(canvas::Form& f) {
    for (const canvas::Control* c : std::initializer_list<const canvas::Control*>{
             &f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6, &f.shmeio, &f.kyklos})
      rects.push_back(c->widget()->geometry().adjusted(-3, -3, 3, 3));
  }
  bool operator()(int x, int y) const {
    for (const QRect& r : rects)
      if (r.contains(x, y)) return true;
    return false;
  }
};

// Whether any pixel of `image` within `reach` of (x, y) passes.
template <class Pred>
bool anyNear(const QImage& image, int x, int y, int reach, Pred pred) {
  for (int v = std::max(0, y - reach); v <= std::min(image.height() - 1, y + reach); ++v)
    for (int u = std::max(0, x - reach); u <= std::min(image.width() - 1, x + reach); ++u)
      if (pred(image.pixel(u, v))) return true;
  return false;
}
template <class Pred>
bool allNear(const QImage& image, int x, int y, int reach, Pred pred) {
  return !anyNear(image, x, y, reach, [&](QRgb c) { return !pred(c); });
}

struct Scene {
  const char* name;
  std::vector<app::Action> actions;
};

class ExportedScene : public ::testing::TestWithParam<Scene> {
 protected:
  void SetUp() override {
    for (const app::Action& a : GetParam().actions) app::RunAction(t.w(), a);
  }
  QString exported(const char* name, int scale = 1) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    const std::string e = app::ExportPicture(t.form(), path, scale);
    EXPECT_TRUE(e.empty()) << e;
    return path;
  }
  TestWindow t{kClient};
  QTemporaryDir dir;
};

TEST_P(ExportedScene, SvgShowsTheFillTheAxisAndTheRaysWhereTheOperationsPutThem) {
  const QImage before = t.canvas().image().copy();
  const QString path = exported("picture.svg");
  EXPECT_TRUE(t.canvas().image() == before) << "exporting leaves the retained image alone";

  QSvgRenderer svg(path);
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), kClient));
  QImage shown(kClient, QImage::Format_RGB32);
  shown.fill(Qt::white);
  {
    QPainter p(&shown);
    svg.render(&p);
  }
  const QImage& retained = t.canvas().image();
  const Hidden hidden(t.form());
  int olive = 0, red = 0, missing = 0;
  for (int y = 0; y < kClient.height(); y += 2) {
    for (int x = 0; x < kClient.width(); x += 2) {
      if (hidden(x, y)) continue;
      const QRgb got = shown.pixel(x, y);
      if (allNear(retained, x, y, 2, isOlive)) {
        ++olive;
        EXPECT_TRUE(isOlive(got)) << "fill missing at " << x << "," << y;
      } else if (!anyNear(retained, x, y, 2, isOlive)) {
        EXPECT_FALSE(isOlive(got)) << "fill outside the lens at " << x << "," << y;
      }
      if (retained.pixel(x, y) == canvas::Rgb(255, 0, 0) && !anyNear(retained, x, y, 2, isOlive)) {
        ++red;
        missing += !anyNear(shown, x, y, 1, isReddish);
      }
    }
  }
  EXPECT_GT(olive, 1000) << "the lens is filled";
  EXPECT_GT(red, kClient.width() / 4) << "at least the axis is red";
  EXPECT_LE(missing, red / 100) << "red lines of the retained image missing from the SVG";
}

TEST_P(ExportedScene, SvgHoldsVectorsAndTextNotAnImage) {
  QFile f(exported("picture.svg"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray svg = f.readAll();
  EXPECT_FALSE(svg.contains("<image"));
  EXPECT_TRUE(svg.contains("<circle") || svg.contains("<ellipse"));
  EXPECT_TRUE(svg.contains("<path"));
  EXPECT_TRUE(svg.contains(">" + t.form().Label6.Caption().toUtf8() + "<")) << "labels as text";
  EXPECT_FALSE(svg.contains("BUNDLE OF RAYS")) << "no buttons";
  bool dashed = false;
  for (const lab::Item& item : t.surface().record().items()) dashed |= item.op.style != 0;
  EXPECT_EQ(svg.contains("stroke-dasharray"), dashed) << "dashed and dotted lines stay so";
}

TEST_P(ExportedScene, SmoothDrawingAtRatioOneIsTheRetainedImageAwayFromEdges) {
  const QImage& retained = t.canvas().image();
  const QImage smooth = canvas::RenderDrawing(t.canvas(), 1, true);
  // Where the bundle's rays fan out of the source, the aliased lines merge into
  // a solid blot that the smooth ones resolve: that is the point of smoothing.
  const QPoint source = t.form().kyklos.widget()->geometry().center();
  int compared = 0;
  for (int y = 1; y < kClient.height() - 1; y += 3) {
    for (int x = 1; x < kClient.width() - 1; x += 3) {
      if (std::hypot(x - source.x(), y - source.y()) < 40) continue;
      const QRgb c = retained.pixel(x, y);
      if (!allNear(retained, x, y, 2, [c](QRgb d) { return d == c; })) continue;
      ++compared;
      // Where several blended strokes overlap they may stop a few levels short of the pure colour.
      const QRgb got = smooth.pixel(x, y);
      ASSERT_TRUE(near(qRed(got), qRed(c), 8) && near(qGreen(got), qGreen(c), 8) && near(qBlue(got), qBlue(c), 8))
          << x << "," << y << ": " << std::hex << got << " for " << c;
    }
  }
  EXPECT_GT(compared, kClient.width() * kClient.height() / 20);
}

TEST_P(ExportedScene, PdfIsOnePageOfThePicturesProportions) {
  QFile f(exported("picture.pdf"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString pdf = QString::fromLatin1(f.readAll());
  EXPECT_TRUE(pdf.startsWith(QLatin1String("%PDF-")));
  EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
  const QRegularExpressionMatch box =
      QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]")).match(pdf);
  ASSERT_TRUE(box.hasMatch());
  const double w = box.captured(1).toDouble(), h = box.captured(2).toDouble();
  EXPECT_NEAR(w / h, double(kClient.width()) / kClient.height(), 1e-3);
  EXPECT_NEAR(w, kClient.width() * 0.75, 0.5) << "points, at 96 pixels an inch";
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, ExportedScene,
    ::testing::Values(Scene{"StartUp", {}},
                      Scene{"DottedNormalDashedWavelets",
                            {{.kind = app::Action::Kind::Press, .value = 1},
                             {.kind = app::Action::Kind::Press, .value = 4}}},
                      Scene{"BundleContinued", {{.kind = app::Action::Kind::Press, .value = 5}}},
                      Scene{"MovedSourceAndHeight",
                            {{.kind = app::Action::Kind::Height, .value = 40},
                             {.kind = app::Action::Kind::Source, .x = -260, .y = 70},
                             {.kind = app::Action::Kind::Press, .value = 5}}}),
    testing_support::ByName{});

class PngScale : public ::testing::TestWithParam<int> {};

TEST_P(PngScale, HasTheAskedMultipleOfTheClientArea) {
  TestWindow t(kClient);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("picture.PNG"));
  ASSERT_EQ(app::ExportPicture(t.form(), path, GetParam()), "");
  EXPECT_EQ(QImage(path).size(), kClient * GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scales, PngScale, ::testing::Values(1, 2, 4));

// A worksheet's caption: off, the export is the picture alone; on, the same
// picture pixel for pixel with a strip below it that names the lens and the
// lesson, at every scale; the window's menu entry asks for it.
TEST_P(PngScale, ACaptionAddsAStripBelowAndChangesNoPixelOfThePicture) {
  TestWindow t(kClient);
  QTemporaryDir dir;
  const int k = GetParam();
  const QString plain = dir.filePath(QStringLiteral("plain.png")), captioned = dir.filePath(QStringLiteral("c.png"));
  ASSERT_EQ(app::ExportPicture(t.form(), plain, k), "");
  ASSERT_EQ(app::ExportPicture(t.form(), captioned, k, app::PictureBackground::White, {}, QStringLiteral("Lens: x")), "");
  const QImage a = QImage(plain).convertToFormat(QImage::Format_RGB32);
  const QImage b = QImage(captioned).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(b.width(), a.width());
  ASSERT_GT(b.height(), a.height());
  EXPECT_EQ(b.copy(0, 0, a.width(), a.height()), a) << "the caption moved a pixel of the picture";
  int ink = 0;
  for (int y = a.height(); y < b.height(); ++y) {
    for (int x = 0; x < b.width() / 4; ++x) ink += qGray(b.pixel(x, y)) < 128;
  }
  EXPECT_GT(ink, 10 * k) << "no caption text in the strip";
  // The menu entry: off at first, and the caption it gives names the lens.
  auto* entry = t.w().findChild<QAction*>(QStringLiteral("pictureCaption"));
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->isChecked());
  EXPECT_TRUE(app::ChosenCaption(t.w()).isEmpty());
  entry->setChecked(true);
  EXPECT_TRUE(app::ChosenCaption(t.w()).startsWith(QStringLiteral("Lens: "))) << app::ChosenCaption(t.w()).toStdString();
}

TEST(PictureExport, RefusesWhatItCannotWriteAndLeavesNothing) {
  TestWindow t(kClient);
  QTemporaryDir dir;
  EXPECT_NE(app::ExportPicture(t.form(), dir.filePath(QStringLiteral("a.gif"))), "");
  EXPECT_NE(app::ExportPicture(t.form(), dir.filePath(QStringLiteral("a.png")), 3), "");
  EXPECT_NE(app::ExportPicture(t.form(), dir.filePath(QStringLiteral("no/such/a.svg"))), "");
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
  // The window's export, too, refuses a FIFO rather than replacing it.
  const QString fifo = dir.filePath(QStringLiteral("pipe.svg"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
  EXPECT_NE(app::ExportPicture(t.form(), fifo), "");
  struct stat st {};
  ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("pipe.svg")});
}

// The smooth drawing at device pixel ratio 2, on the start-up lens and a ray.
class SmoothAtRatioTwo : public ::testing::Test {
 protected:
  static constexpr int kRatio = 2;
  // The device pixel at a world point.
  QRgb at(double x, double y) {
    const QPointF p = t.canvas().toPixel(x, y) * kRatio;
    return image.pixel(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
  }
  TestWindow t{kClient};
  QImage image;
};

TEST_F(SmoothAtRatioTwo, ASlopedOnePixelLineIsAntiAliased) {
  t.dragEntry(0, 40);  // draws source -> entry -> target in black
  image = canvas::RenderDrawing(t.canvas(), kRatio, true);
  const std::vector<lab::Op> lines = t.ops(lab::Op::Kind::Line);
  const lab::Op ray = lines.at(lines.size() - 2);  // source -> entry
  const QPointF a = t.canvas().toPixel(ray.x1, ray.y1) * kRatio, b = t.canvas().toPixel(ray.x2, ray.y2) * kRatio;
  const int x = static_cast<int>((a.x() + b.x()) / 2);
  const double yc = a.y() + (b.y() - a.y()) * (x + 0.5 - a.x()) / (b.x() - a.x());
  int darkest = 255, partial = 0;
  for (int y = static_cast<int>(yc) - 4; y <= static_cast<int>(yc) + 4; ++y) {
    const int v = qGreen(image.pixel(x, y));
    darkest = std::min(darkest, v);
    partial += v > 30 && v < 210;
  }
  EXPECT_LT(darkest, 80) << "the line is there";
  EXPECT_GE(partial, 1) << "and its edge is blended";
}

TEST_F(SmoothAtRatioTwo, LensFillHasNoGapInsideAndNoHaloOutsideItsOutline) {
  image = canvas::RenderDrawing(t.canvas(), kRatio, true);
  const lab::SceneState& s = t.scene();
  const double ppu = t.canvas().frame().pixelsPerUnit();
  int checked = 0;
  // Along both surfaces, away from the tips, the axis and the target marker.
  for (const double cx : {double(s.CentreOffset), -double(s.CentreOffset)}) {
    // The surface is the near side of its circle: the first surface's centre lies right, the second's left.
    for (double y = -60; y <= 60; y += 0.37) {
      if (std::abs(y) < 6) continue;
      const double x = cx - std::copysign(std::sqrt(double(s.SurfaceRadius) * s.SurfaceRadius - y * y), cx);
      // Unit normal pointing out of the lens.
      const double nx = (x - cx) / s.SurfaceRadius, ny = y / s.SurfaceRadius;
      for (double d : {0.75, 1.0, 1.25, 1.5}) {
        const double w = d / ppu;  // logical pixels to world units
        const QRgb inside = at(x - nx * w, y - ny * w), outside = at(x + nx * w, y + ny * w);
        // Inside: olive darkened by the outline, never lighter (a gap shows the background).
        EXPECT_LE(qRed(inside), 152) << "gap at y=" << y << " d=" << d;
        // Outside: a grey between the outline and the background, never tinted by the fill.
        EXPECT_LE(std::abs(qRed(outside) - qBlue(outside)), 8) << "halo at y=" << y << " d=" << d;
        ++checked;
      }
      EXPECT_EQ(at(x - nx * 2.5 / ppu, y - ny * 2.5 / ppu) | 0xff000000u, canvas::Rgb(150, 150, 80));
    }
  }
  EXPECT_GT(checked, 1000);
}

// The window's cache paints only what was added since its last update; the
// result must be the drawing painted afresh, pixel for pixel.
TEST(DrawingCache, PaintingOnlyTheNewOperationsGivesTheSamePicture) {
  TestWindow t(kClient);
  canvas::DrawingCache cache;
  const auto check = [&](const char* step) {
    const QImage& cached = cache.update(t.canvas(), 2, true);
    EXPECT_TRUE(cached == canvas::RenderDrawing(t.canvas(), 2, true)) << step;
  };
  check("start-up");
  app::RunAction(t.w(), {.kind = app::Action::Kind::Press, .value = 2});
  check("bundle added");
  app::RunAction(t.w(), {.kind = app::Action::Kind::Press, .value = 5});
  check("continuation added");
  app::RunAction(t.w(), {.kind = app::Action::Kind::Height, .value = 30});
  check("cleared and redrawn");
}

// The window moved to a screen of another scale factor: the drawing it shows
// is made afresh at the new device pixel ratio, not the old one stretched.
class DrawingCacheRatio : public ::testing::TestWithParam<std::pair<double, double>> {};

TEST_P(DrawingCacheRatio, ANewDevicePixelRatioDrawsAfresh) {
  TestWindow t(kClient);
  app::RunAction(t.w(), {.kind = app::Action::Kind::Press, .value = 2});
  canvas::DrawingCache cache;
  const auto [before, after] = GetParam();
  (void)cache.update(t.canvas(), before, true);
  const QImage& shown = cache.update(t.canvas(), after, true);
  EXPECT_DOUBLE_EQ(shown.devicePixelRatio(), after);
  EXPECT_TRUE(shown == canvas::RenderDrawing(t.canvas(), after, true));
  app::RunAction(t.w(), {.kind = app::Action::Kind::Press, .value = 5});
  EXPECT_TRUE(cache.update(t.canvas(), after, true) == canvas::RenderDrawing(t.canvas(), after, true))
      << "and what is added later is painted at it";
}

INSTANTIATE_TEST_SUITE_P(Ratios, DrawingCacheRatio,
                         ::testing::Values(std::pair(1.0, 2.0), std::pair(2.0, 1.0), std::pair(1.0, 1.5),
                                           std::pair(2.0, 1.5)));

TEST(Menus, CopyPicturePutsThePictureOnTheClipboard) {
  TestWindow t(kClient);
  QGuiApplication::clipboard()->clear();
  auto* copy = t.w().findChild<QAction*>(QStringLiteral("copyPicture"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->shortcut(), QKeySequence(QKeySequence::Copy));
  copy->trigger();
  const QImage image = QGuiApplication::clipboard()->image();
  EXPECT_EQ(image.size(), kClient * t.form().devicePixelRatioF());
  const QPointF lens = t.canvas().toPixel(0, 30) * t.form().devicePixelRatioF();
  EXPECT_EQ(image.pixel(lens.toPoint()) | 0xff000000u, canvas::Rgb(150, 150, 80));
}

TEST(PictureExport, PrintsOnOnePage) {
  TestWindow t(kClient);
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
  printer.setPageSize(QPageSize(QPageSize::A4));
  app::PrintPicture(printer, t.form());
  QFile f(printer.outputFileName());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString pdf = QString::fromLatin1(f.readAll());
  EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
}

// Where the two markers overlap, every output shows the one the window shows
// on top: the entry point, which a press there takes.
enum class Output { Png, Svg, Copy };
struct OutputCase {
  const char* name;
  Output output;
};

class StackedMarkers : public ::testing::TestWithParam<OutputCase> {};

TEST_P(StackedMarkers, ShowTheEntryPointAboveTheSourceAsTheWindowDoes) {
  TestWindow t(kClient);
  t.dragSource(-100.0f, 50.0f);
  t.dragEntry(-100.0f, 50.0f);
  const QPoint centre = t.form().shmeio.widget()->geometry().center();
  ASSERT_EQ(t.form().kyklos.widget()->geometry().center(), centre);
  ASSERT_EQ(QColor(t.form().snapshot().pixel(centre)), QColor(0, 0, 255)) << "the window's";
  QTemporaryDir dir;
  QImage shown;
  switch (GetParam().output) {
    case Output::Png: {
      const QString path = dir.filePath(QStringLiteral("picture.png"));
      ASSERT_EQ(app::ExportPicture(t.form(), path, 2), "");
      shown = QImage(path);
      break;
    }
    case Output::Svg: {
      const QString path = dir.filePath(QStringLiteral("picture.svg"));
      ASSERT_EQ(app::ExportPicture(t.form(), path), "");
      shown = QImage(kClient, QImage::Format_RGB32);
      QPainter p(&shown);
      QSvgRenderer(path).render(&p);
      break;
    }
    case Output::Copy:
      QGuiApplication::clipboard()->clear();
      t.w().findChild<QAction*>(QStringLiteral("copyPicture"))->trigger();
      shown = QGuiApplication::clipboard()->image();
      break;
  }
  ASSERT_FALSE(shown.isNull());
  const double k = double(shown.width()) / kClient.width();
  EXPECT_EQ(QColor(shown.pixel((QPointF(centre) * k).toPoint())), QColor(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(Outputs, StackedMarkers,
                         ::testing::Values(OutputCase{"Png", Output::Png}, OutputCase{"Svg", Output::Svg},
                                           OutputCase{"Copy", Output::Copy}),
                         testing_support::ByName{});

TEST(Menus, SitAboveAClientAreaOfTheGivenSizeAndSwitchSmoothDrawing) {
  TestWindow t(kClient);
  t.w().show();
  QCoreApplication::processEvents();
  const auto* area = qobject_cast<QScrollArea*>(t.w().centralWidget());
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->viewport()->size(), kClient) << "no scroll bars: the menu bar is extra";
  EXPECT_EQ(t.form().size(), kClient);
  auto* smooth = t.w().findChild<QAction*>(QStringLiteral("smoothDrawing"));
  ASSERT_NE(smooth, nullptr);
  EXPECT_TRUE(smooth->isChecked());
  EXPECT_TRUE(t.form().smooth());
  smooth->trigger();
  EXPECT_FALSE(t.form().smooth());
  // Without smoothing the window shows the retained image pixel for pixel.
  const QImage shown = t.form().snapshot().convertToFormat(QImage::Format_RGB32);
  const QPointF lens = t.canvas().toPixel(0, 30);
  EXPECT_EQ(shown.pixel(lens.toPoint()), t.canvas().image().pixel(lens.toPoint()));
}

}  // namespace
