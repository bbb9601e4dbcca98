// The record of the operations since the last Cls: what it keeps, what it
// leaves out, and the smooth drawing made from it against the retained image.
#include "canvas/Canvas.h"
#include "canvas/DrawingCache.h"
#include "canvas/FillShape.h"
#include "canvas/PicturePainter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <functional>

#include "Pixels.h"

namespace {

using Kind = lab::Op::Kind;
using canvas::kBackground;
using canvas::kBlack;
using canvas::Rgb;
using namespace canvas_testing;

constexpr QRgb kOlive = Rgb(150, 150, 80);

int countKind(const Pad& c, Kind kind) {
  int n = 0;
  for (const lab::Item& item : c.record().items()) n += item.op.kind == kind;
  return n;
}

const canvas::FillShape* shapeOf(const lab::Item& item) { return dynamic_cast<const canvas::FillShape*>(item.trace.get()); }

// A closed black square from (-50, -50) to (50, 50), the fill state solid olive.
struct BoxedPad : UnitPad {
  BoxedPad() {
    setLogging(true);
    Line(-50, -50, 50, -50);
    LineTo(50, 50);
    LineTo(-50, 50);
    LineTo(-50, -50);
    FillColor = kOlive;
    FillStyle = 0;
  }
};

struct FillCase {
  const char* name;
  std::function<bool(Pad&)> Fill;
  bool Paints;
};

class FloodFillRecordTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FloodFillRecordTest, OnlyAFillThatPaintedIsLoggedAndRecorded) {
  const FillCase& k = GetParam();
  BoxedPad c;
  c.clearLog();
  const QImage before = c.image();
  EXPECT_EQ(k.Fill(c), k.Paints);
  EXPECT_EQ(c.image() != before, k.Paints);
  EXPECT_EQ(c.log().size(), k.Paints ? 1u : 0u);
  EXPECT_EQ(countKind(c, Kind::FloodFill), k.Paints ? 1 : 0);
  if (!k.Paints) return;
  const canvas::FillShape* fill = shapeOf(c.record().items().back());
  ASSERT_TRUE(fill) << "the pixels' trace rides with the fill's item";
  // The traced shape covers the painted pixels and reaches into the walls'
  // centres, not beyond them.
  EXPECT_TRUE(fill->path.contains(c.toPixel(0, 0)));
  // The left wall is pixel column 150, its centre at 150.5.
  EXPECT_TRUE(fill->path.contains(c.toPixel(-49.3, 0)));
  EXPECT_FALSE(fill->path.contains(c.toPixel(-49.7, 0)));
  EXPECT_FALSE(fill->path.contains(c.toPixel(0, 51)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FloodFillRecordTest,
    ::testing::Values(FillCase{"Inside", [](Pad& c) { return c.FloodFill(200, 150, kBlack); }, true},
                      FillCase{"SeedLeftOfImage", [](Pad& c) { return c.FloodFill(-1, 150, kBlack); }, false},
                      FillCase{"SeedBelowImage", [](Pad& c) { return c.FloodFill(200, 300, kBlack); }, false},
                      FillCase{"SeedOnBoundary", [](Pad& c) { return c.FloodFill(150, 150, kBlack); }, false},
                      FillCase{"TransparentFillStyle",
                               [](Pad& c) {
                                 c.FillStyle = 1;
                                 return c.FloodFill(200, 150, kBlack);
                               },
                               false}),
    ByName{});

// Whatever row the fill starts from, the traced shape, which the smooth view
// and the vector exports draw, covers every pixel it painted whole: above,
// below and to both sides of the seed.
class TracedFillTest : public ::testing::TestWithParam<int> {};

TEST_P(TracedFillTest, CoversEveryPaintedPixelWhole) {
  BoxedPad c;
  ASSERT_TRUE(c.FloodFill(200, GetParam(), kBlack));
  const canvas::FillShape* fill = shapeOf(c.record().items().back());
  ASSERT_TRUE(fill);
  const QImage& image = c.image();
  int painted = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) | 0xff000000u) != kOlive) continue;
      ++painted;
      for (const QPointF d : {QPointF(0, 0), QPointF(0.4, 0), QPointF(-0.4, 0), QPointF(0, 0.4), QPointF(0, -0.4)}) {
        ASSERT_TRUE(fill->path.contains(QPointF(x + 0.5, y + 0.5) + d))
            << x << "," << y << " + " << d.x() << "," << d.y();
      }
    }
  }
  EXPECT_GE(painted, 99 * 99);
}

INSTANTIATE_TEST_SUITE_P(SeedRows, TracedFillTest, ::testing::Values(101, 150, 199));

TEST(DisplayRecordTest, KeepsWhatWasDrawnSinceTheLastClsWithTheFrameItWasDrawnIn) {
  Pad c(QSize(400, 300));
  c.Line(0, 0, 1500, 1500);  // in twips, before any Scale
  c.Scale(-200, 150, 200, -150);
  c.Line(-10, 0, 10, 0);
  const lab::DisplayRecord& list = c.record();
  ASSERT_EQ(list.items().size(), 2u);
  const lab::Frame& twips = list.frame(list.items()[0].frame);
  const lab::Frame& world = list.frame(list.items()[1].frame);
  EXPECT_EQ(canvas::PixelOf(twips, 1500, 1500), QPointF(100, 100));
  EXPECT_EQ(canvas::PixelOf(world, -10, 0), c.toPixel(-10, 0));
  EXPECT_EQ(c.frame(), world) << "the canvas draws in the surface's frame";

  c.Cls();
  EXPECT_TRUE(list.items().empty());
  const QImage blank = c.image();
  c.PSet(1000, 1000);  // wholly outside: recorded as given, nothing on the image
  c.Line(1e30, -1e30, -1e30, 1e30);
  ASSERT_EQ(list.items().size(), 2u);
  EXPECT_FALSE(canvas::OnImage(list.items()[0].op, world)) << "the dot cannot touch the image";
  const std::optional<lab::Op> line = canvas::OnImage(list.items()[1].op, world);
  ASSERT_TRUE(line);
  EXPECT_LT(std::abs(line->x1), 1e4) << "drawn as clipped to the image";
  EXPECT_EQ(list.items()[1].op.x1, static_cast<double>(1e30f)) << "recorded as given, in Single";
  EXPECT_NE(c.image(), blank) << "the line crosses the image";
}

TEST(DisplayRecordTest, StopsAtItsBoundAndStandsAsideForTheRetainedImageUntilCls) {
  UnitPad c;
  for (std::size_t i = 0; i <= lab::DisplayRecord::kMaxItems; ++i) c.Line(-100, 0, 100, 1);
  EXPECT_FALSE(c.record().complete());
  EXPECT_EQ(c.record().items().size(), lab::DisplayRecord::kMaxItems) << "stops recording at the bound";
  const QImage shown = canvas::RenderDrawing(c, 1, true);
  EXPECT_EQ(shown.pixel(200, 150) | 0xff000000u, c.image().pixel(200, 150) | 0xff000000u);
  c.Cls();
  c.Line(-100, 0, 100, 1);
  EXPECT_TRUE(c.record().complete());
  EXPECT_EQ(c.record().items().size(), 1u);
}

// Past its bound the record no longer holds the picture: every output shows
// the retained image, each of its pixels a square of the ratio's pixels,
// including what was drawn after the bound.
TEST(IncompleteRecord, ShowsTheRetainedImagePixelForPixelAtEveryRatio) {
  UnitPad c;
  for (std::size_t i = 0; i <= lab::DisplayRecord::kMaxItems; ++i) {
    const double y = static_cast<double>(i % 240) - 120;
    c.Line(-150, y, 150, y + 7, Rgb(0, 0, 255));
  }
  c.Circle(0, 0, 60, Rgb(255, 0, 0));
  ASSERT_FALSE(c.record().complete());
  for (const int ratio : {1, 2}) {
    const QImage shown = canvas::RenderDrawing(c, ratio, true);
    ASSERT_EQ(shown.size(), c.pixelSize() * ratio);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        differing += (shown.pixel(x, y) | 0xff000000u) != At(c, x / ratio, y / ratio);
    EXPECT_EQ(differing, 0) << "ratio " << ratio;
  }
}

// Past the bound the window's cache of the smooth drawing still follows the
// picture: what is drawn after the bound shows at once.
TEST(IncompleteRecord, TheWindowsCacheShowsWhatIsDrawnPastTheBound) {
  UnitPad c;
  for (std::size_t i = 0; i <= lab::DisplayRecord::kMaxItems; ++i) c.Line(-150, 0.5, 150, 0.5, Rgb(0, 0, 255));
  canvas::DrawingCache cache;
  ASSERT_EQ(cache.update(c, 1, true).pixel(200, 40) | 0xff000000u, kBackground);
  c.Line(-150, 110.5, 150, 110.5, Rgb(255, 0, 0));  // row 39
  const QImage& shown = cache.update(c, 1, true);
  EXPECT_EQ(shown.pixel(200, 39) | 0xff000000u, Rgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(200, 39) | 0xff000000u, At(c, 200, 39));
}

// At a screen's scale factor s a solid one-pixel arc is the pen laid in
// whole device pixels: round(s) of them across, halves rounded up, centred
// on its radius. Measured across the top of an arc, as darkness summed over
// device pixels (a pixel of pure pen colour counts one). The radius puts the
// top where those pixels are whole rows: where blended edges of neighbouring
// strands share a row, they cover it short of fully and the sum says less.
struct ArcWeight {
  const char* name;
  double ratio;
  int devicePixels;
};

class ArcAtScaleFactor : public ::testing::TestWithParam<ArcWeight> {};

TEST_P(ArcAtScaleFactor, IsThePenRoundedToWholeDevicePixels) {
  const double s = GetParam().ratio;
  const int across = GetParam().devicePixels;
  UnitPad c;
  const QPointF centre = c.toPixel(0, 0) * s;
  // About 100 units up, on a row boundary for an even count, mid-row for an odd one.
  const double top = std::floor(centre.y() - 100 * s) + (across % 2 == 1 ? 0.5 : 0.0);
  c.Circle(0, 0, (centre.y() - top) / s, kBlack, 0.3, 2.8);  // the top of the circle, counterclockwise
  const QImage shown = canvas::RenderDrawing(c, s, true);
  for (const int dx : {-2, 0, 1}) {  // device pixels about the top, where the arc runs level
    const int x = static_cast<int>(std::floor(centre.x())) + dx;
    double ink = 0, moment = 0;
    for (int y = static_cast<int>(top) - 6; y <= static_cast<int>(top) + 6; ++y) {
      const double d = (qRed(kBackground) - qRed(shown.pixel(x, y))) / double(qRed(kBackground));
      ink += d;
      moment += d * (y + 0.5);
    }
    EXPECT_NEAR(ink, across, 0.25) << "column " << dx;
    EXPECT_NEAR(moment / ink, top, 0.25) << "column " << dx;
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, ArcAtScaleFactor,
                         ::testing::Values(ArcWeight{"At100", 1.0, 1}, ArcWeight{"At125", 1.25, 1},
                                           ArcWeight{"At150", 1.5, 2}, ArcWeight{"At175", 1.75, 2},
                                           ArcWeight{"At200", 2.0, 2}, ArcWeight{"At250", 2.5, 3},
                                           ArcWeight{"At300", 3.0, 3}),
                         ByName{});

// The smooth drawing at a whole device pixel ratio: a one-pixel horizontal
// line lies on the same row as in the retained image, one pure row per logical
// row, however its position falls within the row.
class SharpAxisTest : public ::testing::TestWithParam<double> {};

TEST_P(SharpAxisTest, HorizontalOnePixelLineStaysOnePureRow) {
  UnitPad c;
  const double y = GetParam();
  c.Line(-150, y, 150, y, Rgb(255, 0, 0));
  const int row = static_cast<int>(std::floor(c.toPixel(0, y).y()));
  ASSERT_EQ(At(c, 200, row), Rgb(255, 0, 0));
  for (int ratio : {1, 2}) {
    const QImage img = canvas::RenderDrawing(c, ratio, true);
    for (int dr = -1; dr <= ratio; ++dr) {
      const QRgb got = img.pixel(200 * ratio, row * ratio + dr) | 0xff000000u;
      EXPECT_EQ(got, dr >= 0 && dr < ratio ? Rgb(255, 0, 0) : kBackground) << "ratio " << ratio << " row +" << dr;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Offsets, SharpAxisTest, ::testing::Values(0.0, 0.25, 0.5, -0.3));

}  // namespace
