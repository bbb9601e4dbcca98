// Strokes blended band by band: the smooth painter splits long runs of
// strokes into two bands of rows painted at once on two threads, which is
// only right if every pixel comes out as painting the strokes whole gives it.
#include "canvas/StrokeRaster.h"

#include <QImage>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct BandCase {
  const char* name;
  bool rings;
  int split;  // the row between the two bands
};

class StrokeBands : public ::testing::TestWithParam<BandCase> {};

TEST_P(StrokeBands, PaintEveryPixelAsTheWholeImageDoes) {
  constexpr int kWidth = 317, kHeight = 229;
  std::mt19937 rng(20261208u + static_cast<unsigned>(GetParam().split));
  std::uniform_real_distribution<double> x(-40.0, kWidth + 40.0), y(-40.0, kHeight + 40.0), r(0.2, 300.0);
  std::uniform_int_distribution<int> colour(0, 0xffffff), widthIn(1, 4);
  QImage whole(kWidth, kHeight, QImage::Format_RGB32);
  whole.fill(0xfff0f0f0u);
  QImage banded = whole.copy();
  const int split = GetParam().split;
  for (int i = 0; i < 400; ++i) {
    const QPointF a(x(rng), y(rng)), b(x(rng), y(rng));
    // Steep, flat, exactly horizontal and vertical ones, and rings across the split.
    const QPointF end = i % 7 == 0 ? QPointF(b.x(), a.y()) : i % 11 == 0 ? QPointF(a.x(), b.y()) : b;
    const double width = widthIn(rng) / 2.0 + 0.5;
    const QRgb c = static_cast<QRgb>(colour(rng));
    if (GetParam().rings && i % 2 == 0) {
      const double radius = r(rng);
      canvas::BlendRing(whole, a, radius, width, c);
      canvas::BlendRing(banded, a, radius, width, c, {0, split});
      canvas::BlendRing(banded, a, radius, width, c, {split, kHeight});
    } else {
      canvas::BlendLine(whole, a, end, width, c);
      canvas::BlendLine(banded, a, end, width, c, {split, kHeight});  // the lower band first: order across bands is free
      canvas::BlendLine(banded, a, end, width, c, {0, split});
    }
  }
  int differing = 0;
  for (int row = 0; row < kHeight; ++row) {
    for (int col = 0; col < kWidth; ++col) differing += whole.pixel(col, row) != banded.pixel(col, row);
  }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Splits, StrokeBands,
                         ::testing::Values(BandCase{"linesAtTheMiddle", false, 114}, BandCase{"linesNearTheTop", false, 1},
                                           BandCase{"linesAtTheBottom", false, 228},
                                           BandCase{"ringsAndLinesAtTheMiddle", true, 115},
                                           BandCase{"ringsAndLinesNearTheTop", true, 3}),
                         [](const ::testing::TestParamInfo<BandCase>& c) { return std::string(c.param.name); });

// The background fill writes every pixel as QImage::fill does, on one
// thread or two, whatever the width's alignment and however the rows start.
class OpaqueFill : public ::testing::TestWithParam<QSize> {};

TEST_P(OpaqueFill, WritesEveryPixelAsQImageFillDoes) {
  const QRgb colour = 0xfff0f0f0u;
  QImage expected(GetParam(), QImage::Format_RGB32), filled(GetParam(), QImage::Format_RGB32);
  expected.fill(colour);
  filled.fill(0xff123456u);
  canvas::FillOpaque(filled, colour & 0x00ffffffu);  // the alpha is the fill's own business
  EXPECT_EQ(filled, expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OpaqueFill,
                         ::testing::Values(QSize(1, 1), QSize(3, 7), QSize(17, 5), QSize(1281, 803),
                                           QSize(3840, 2160), QSize(1023, 1031)),
                         [](const ::testing::TestParamInfo<QSize>& c) {
                           return std::to_string(c.param.width()) + "x" + std::to_string(c.param.height());
                         });

}  // namespace
