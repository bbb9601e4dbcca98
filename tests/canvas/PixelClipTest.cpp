// The retained image's own pixel operations clip before they write: a filled
// ring or a dot anywhere (partly or wholly beside the image, at any size)
// touches only pixels of the image, and what it draws inside is what drawing
// it on a larger image shows there. AddressSanitizer catches a write past the
// buffer; the comparisons catch a clip that drops or adds pixels.
#include "canvas/RetainedImage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using canvas::RetainedImage;

constexpr QRgb kPaper = 0xffffffffu, kInk = 0xff000000u, kFill = 0xff808000u;
constexpr QSize kSmall{37, 23};  // odd sides, so no half of the image is special
// The large image holds the small one at this offset, with room for every
// circle below, so it draws them without clipping anything that matters.
constexpr int kOffset = 400;

struct RingCase {
  const char* name;
  double x, y, radius;
};

class ClippedRing : public ::testing::TestWithParam<RingCase> {};

// Each ring drawn on the small image equals the same ring drawn on a large
// one, moved by whole pixels, within the small image's rectangle; and the
// small image is untouched where the ring misses it.
TEST_P(ClippedRing, DrawsInsideTheImageWhatAnUnclippedImageShowsThere) {
  const RingCase& k = GetParam();
  for (const bool filled : {false, true}) {
    RetainedImage small(kSmall, kPaper);
    RetainedImage large(QSize(2 * kOffset + kSmall.width(), 2 * kOffset + kSmall.height()), kPaper);
    const std::optional<QRgb> fill = filled ? std::optional<QRgb>(kFill) : std::nullopt;
    small.thinCircle(QPointF(k.x, k.y), k.radius, kInk, fill);
    large.thinCircle(QPointF(k.x + kOffset, k.y + kOffset), k.radius, kInk, fill);
    const QImage expected = large.image().copy(kOffset, kOffset, kSmall.width(), kSmall.height());
    ASSERT_EQ(small.image().size(), kSmall);
    for (int y = 0; y < kSmall.height(); ++y) {
      for (int x = 0; x < kSmall.width(); ++x) {
        ASSERT_EQ(small.image().pixel(x, y), expected.pixel(x, y))
            << (filled ? "filled" : "hollow") << " ring, pixel " << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, ClippedRing,
    ::testing::Values(RingCase{"inside", 18.25, 11.5, 6},
                      RingCase{"overTheLeftEdge", -3.5, 11, 9},
                      RingCase{"justRightOfTheImage", 37 + 4.5, 11, 4},    // its rows cross the image, its columns not
                      RingCase{"wellRightOfTheImage", 37 + 40.25, 10, 35},  // a wide span that starts past the last column
                      RingCase{"justLeftOfTheImage", -5, 11, 4.75},
                      RingCase{"belowTheImage", 18, 23 + 3.5, 3},
                      RingCase{"aboveTheImage", 18, -30, 29.5},
                      RingCase{"cornerToCorner", -60, -60, 95},
                      RingCase{"enclosingTheImage", 18.5, 11.5, 100},
                      // Far larger than the image: only the offsets that reach it are walked.
                      RingCase{"hugeThroughTheImage", 18.25 - 300, 11.75, 300.5},
                      RingCase{"hugeBesideTheImage", -350, 11, 330}),
    [](const ::testing::TestParamInfo<RingCase>& i) { return std::string(i.param.name); });

// Positions no circle of the program reaches, and a dot far outside: nothing
// is written and nothing breaks.
TEST(ClippedRing, FarAwayOrHugeCirclesAndDotsWriteNothing) {
  RetainedImage image(kSmall, kPaper);
  image.thinCircle(QPointF(1e9, -1e9), 5, kInk, kFill);
  image.thinCircle(QPointF(1e12, 5), 1e12 - 1e6, kInk, kFill);
  image.thinCircle(QPointF(5, 5), -3, kInk, kFill);
  EXPECT_FALSE(image.dot(QPointF(-1e10, 3), 6, kInk));
  EXPECT_FALSE(image.dot(QPointF(40, 30), 2, kInk));
  for (int y = 0; y < kSmall.height(); ++y) {
    for (int x = 0; x < kSmall.width(); ++x) ASSERT_EQ(image.image().pixel(x, y), kPaper) << x << "," << y;
  }
  EXPECT_TRUE(image.dot(QPointF(36.5, 22.5), 4, kInk)) << "a dot over the corner draws its part inside";
  EXPECT_EQ(image.image().pixel(36, 22), kInk);
}

}  // namespace
