// The hand-plotted one-pixel lines of the retained image against Qt's own
// aliased stroker: random lines, weighted towards the cases where a rounding
// decides a pixel, drawn both ways must leave identical images.
#include "canvas/Pen.h"
#include "canvas/RetainedImage.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "Pixels.h"

namespace {

// The pen the retained image draws with.
QPen PixelPen(QRgb color, int width, int style) {
  return canvas::OperationPen(color, width, style, canvas::PenDevice::Retained);
}
using canvas::RetainedImage;

constexpr QRgb kPaper = 0xffffffffu;

struct Stroke {
  QPointF a, b;
  QRgb color = 0;
  int width = 1, style = 0;
};

std::string describe(QSize size, const Stroke& s) {
  char text[240];
  std::snprintf(text, sizeof text, "%dx%d image, (%.17g, %.17g) to (%.17g, %.17g), width %d, style %d", size.width(),
                size.height(), s.a.x(), s.a.y(), s.b.x(), s.b.y(), s.width, s.style);
  return text;
}

// What the retained image drew before the thin lines were plotted by hand:
// every stroke through one open QPainter, a == b as a point.
class QtReference {
 public:
  explicit QtReference(QSize size) : image_(size, QImage::Format_RGB32) {
    image_.fill(kPaper);
    painter_.begin(&image_);
  }
  void draw(const Stroke& s) {
    painter_.setPen(PixelPen(s.color, s.width, s.style));
    if (s.a == s.b)
      painter_.drawPoint(s.a);
    else
      painter_.drawLine(s.a, s.b);
  }
  // The raster engine paints straight into the image, so it can be read while the painter is open.
  [[nodiscard]] const QImage& image() const { return image_; }

 private:
  QImage image_;
  QPainter painter_;
};

// Random strokes for one image size. A coordinate is a pixel edge, a pixel
// centre, a multiple of 1/64 (Qt's fixed-point step), one a hair either side
// of such a multiple, or anywhere, up to 20 pixels outside the image on
// either side. A line is horizontal, vertical, exactly diagonal, one 26.6
// step off the diagonal, at most 3 pixels long (down to a point), or free.
// One stroke in twenty is dashed, dotted or wide, so the hand-plotted lines
// are interleaved with strokes Qt still draws.
class StrokeSource {
 public:
  StrokeSource(QSize size, std::uint64_t seed) : size_(size), rng_(seed) {}

  Stroke next() {
    Stroke s;
    s.a = {coordinate(size_.width()), coordinate(size_.height())};
    const double d = coordinate(size_.width()) - s.a.x();
    const double sign = pick(2) == 0 ? 1.0 : -1.0;
    switch (pick(11)) {
      case 0: s.b = {s.a.x(), coordinate(size_.height())}; break;
      case 1: s.b = {coordinate(size_.width()), s.a.y()}; break;
      case 2: s.b = {s.a.x() + d, s.a.y() + sign * d}; break;
      case 3: s.b = {s.a.x() + d, s.a.y() + sign * (d + (pick(2) == 0 ? 1.0 : -1.0) / 64)}; break;
      case 4:
      case 5: s.b = s.a + QPointF(uniform(-3, 3), uniform(-3, 3)); break;
      case 6: s.b = s.a + QPointF(uniform(-3, 3) * 1e-13, uniform(-3, 3) * 1e-13); break;  // a point to QPointF
      case 7: s.b = s.a + QPointF(uniform(-1, 1) / 128, uniform(-1, 1) / 128); break;      // about one 26.6 step
      default: s.b = {coordinate(size_.width()), coordinate(size_.height())}; break;
    }
    if (pick(2) == 0) std::swap(s.a, s.b);
    // Never the paper's colour, so every lit pixel shows.
    s.color = 0xff000000u | static_cast<QRgb>(rng_() & 0x7f7f7fu);
    if (pick(20) == 0) {
      s.style = pick(3);
      s.width = s.style == 0 ? 2 + pick(3) : 1;
    }
    return s;
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  double coordinate(int side) {
    const double whole = std::uniform_int_distribution<int>(-20, side + 20)(rng_);
    switch (pick(6)) {
      case 0: return whole;
      case 1: return whole + 0.5;
      case 2: return whole + pick(64) / 64.0;
      case 3: return whole + pick(64) / 64.0 + (pick(2) == 0 ? 1e-12 : -1e-12);
      case 4: return whole + uniform(0, 1);
      default: return uniform(-20, side + 20);
    }
  }

  QSize size_;
  std::mt19937_64 rng_;
};

// Byte for byte, the unused alpha byte of RGB32 included (QImage's == would pass over it).
bool sameBytes(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.format() != b.format()) return false;
  const auto rowBytes = static_cast<std::size_t>(a.width()) * 4;
  for (int row = 0; row < a.height(); ++row)
    if (std::memcmp(a.constScanLine(row), b.constScanLine(row), rowBytes) != 0) return false;
  return true;
}

// The first of the strokes that, drawn alone on fresh images, differs.
std::string firstDifference(QSize size, const std::vector<Stroke>& strokes) {
  for (const Stroke& s : strokes) {
    QtReference qt(size);
    RetainedImage mine(size, kPaper);
    qt.draw(s);
    mine.line(s.a, s.b, PixelPen(s.color, s.width, s.style));
    if (!sameBytes(qt.image(), mine.image())) return describe(size, s);
  }
  return "only the strokes together";
}

struct ImageFamily {
  const char* name;
  int images;
  QSize smallest, largest;  // sizes drawn uniformly between these
  int strokesPerImage;
};

void PrintTo(const ImageFamily& f, std::ostream* os) {
  *os << f.name;
}

class ThinLineMatchesQt : public ::testing::TestWithParam<ImageFamily> {};

// Strokes are compared in batches, each in its own colour: a wrong pixel
// shows unless a later stroke of the batch covers it in both images, and the
// batches are kept small beside the image (about one stroke per 20 pixels of
// its shorter side) so that this is rare.
TEST_P(ThinLineMatchesQt, PixelForPixel) {
  const ImageFamily& f = GetParam();
  std::mt19937 sizes(7);
  for (int i = 0; i < f.images; ++i) {
    const QSize size(std::uniform_int_distribution<int>(f.smallest.width(), f.largest.width())(sizes),
                     std::uniform_int_distribution<int>(f.smallest.height(), f.largest.height())(sizes));
    StrokeSource source(size, 1000003u * static_cast<std::uint64_t>(i) + 17u);
    QtReference qt(size);
    RetainedImage mine(size, kPaper);
    const int batch = std::max(1, std::min(size.width(), size.height()) / 20);
    std::vector<Stroke> strokes;
    for (int k = 0; k < f.strokesPerImage; ++k) {
      strokes.push_back(source.next());
      qt.draw(strokes.back());
      mine.line(strokes.back().a, strokes.back().b,
                PixelPen(strokes.back().color, strokes.back().width, strokes.back().style));
      if (static_cast<int>(strokes.size()) < batch && k + 1 < f.strokesPerImage) continue;
      ASSERT_TRUE(sameBytes(qt.image(), mine.image())) << firstDifference(size, strokes);
      strokes.clear();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThinLineMatchesQt,
                         ::testing::Values(ImageFamily{"Small", 3000, {1, 1}, {64, 64}, 100},
                                           ImageFamily{"Medium", 60, {65, 65}, {600, 400}, 1000},
                                           ImageFamily{"FullHd", 1, {1920, 1080}, {1920, 1080}, 6000},
                                           ImageFamily{"Large", 1, {3000, 2000}, {3000, 2000}, 1500},
                                           // The largest side plotted by hand, and one more (through Qt).
                                           ImageFamily{"WidestStrip", 1, {16384, 30}, {16384, 30}, 1500},
                                           ImageFamily{"TallestStrip", 1, {30, 16384}, {30, 16384}, 1500},
                                           ImageFamily{"PastTheLargestSide", 1, {16385, 20}, {16385, 20}, 300}),
                         canvas_testing::ByName{});

// The image is shared with every copy taken of it (a saved picture, an undo
// step); plotting into it must leave those copies as they were.
TEST(ThinLine, LeavesEarlierCopiesOfTheImageAsTheyWere) {
  RetainedImage mine(QSize(40, 30), kPaper);
  const QImage blank = mine.image();
  mine.line({2.5, 3.5}, {30.5, 20.5}, PixelPen(0xff000000u, 1, 0));
  const QImage once = mine.image();
  mine.line({2.5, 20.5}, {30.5, 3.5}, PixelPen(0xff000000u, 1, 0));
  QImage paper(blank.size(), QImage::Format_RGB32);
  paper.fill(kPaper);
  EXPECT_TRUE(sameBytes(blank, paper));
  EXPECT_FALSE(sameBytes(once, paper));
  EXPECT_FALSE(sameBytes(once, mine.image()));
}

}  // namespace
