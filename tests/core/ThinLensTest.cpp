// The continued bundle of a weakly curved lens focuses where the lensmaker's
// formula puts the image: every ray built by least time, none by Snell's law.
#include "core/BundleContinuation.h"
#include "optics/LensDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <vector>
#include <string>

namespace {

struct ThinCase {
  const char* name;
  double n, r1, r2, thickness, aperture;
};

class ThinLens : public ::testing::TestWithParam<ThinCase> {};

TEST_P(ThinLens, FocusesTheParaxialRaysWhereTheLensmakersFormulaSays) {
  const ThinCase& c = GetParam();
  const optics::LensDesign design{.N = c.n, .First = {.Radius = c.r1}, .Second = {.Radius = c.r2},
                              .Thickness = c.thickness, .Aperture = c.aperture};
  const optics::LensBuild b = optics::MakeLens(design);
  ASSERT_TRUE(b.lens) << b.error;
  // Lensmaker: 1/f = (n - 1) (1/R1 + 1/R2 - (n - 1) d / (n R1 R2)), both radii
  // positive for bulging faces; then 1/s + 1/s' = 1/f for a source at s.
  const double n = c.n, d = c.thickness;
  const double power = (n - 1) * (1 / c.r1 + 1 / c.r2 - (n - 1) * d / (n * c.r1 * c.r2));
  // Near enough that the arrival times, stored in Single, keep the neighbours'
  // wavelets apart to a small fraction of a unit.
  constexpr double kSourceDistance = 900;
  const double image = 1 / (power - 1 / kSourceDistance);
  // A frame large enough for the image, a source on the axis far to the left.
  const core::BundleContinuationResult r =
      core::ContinueBundle(*b.lens, core::Frame{6000, 6000}, core::SourcePoint{-float(kSourceDistance), 0}, 40);
  std::vector<double> crossings;
  for (const core::BundleRay& ray : r.Bundle.Rays) {
    // Paraxial: within half the aperture. Nearer the axis than a fifth of it
    // the rays' slopes are so small that the wavelets' Single times (a
    // ten-thousandth of a unit) move their crossings by whole per cent.
    const double h = std::fabs(ray.ExitY);
    if (!ray.RedLineDrawn || h > 0.5 * c.aperture || h < 0.2 * c.aperture) continue;
    const core::Segment& s = ray.RedLine;
    const double crossing = s.x1 - s.y1 * (s.x2 - s.x1) / (s.y2 - s.y1);
    // Each ray's direction comes from wavelets whose times are Singles: a
    // few of them stray by some per cent.
    EXPECT_NEAR(crossing, image, 0.06 * image) << "ray leaving at height " << ray.ExitY;
    crossings.push_back(crossing);
  }
  ASSERT_GE(crossings.size(), 6u);
  // Together they focus where the formula says.
  std::nth_element(crossings.begin(), crossings.begin() + crossings.size() / 2, crossings.end());
  EXPECT_NEAR(crossings[crossings.size() / 2], image, 0.02 * image);
}

INSTANTIATE_TEST_SUITE_P(Lenses, ThinLens,
                         ::testing::Values(ThinCase{"crownGlass", 1.5, 300, 300, 6, 40},
                                           ThinCase{"standardGlass", 2, 600, 600, 4, 40},
                                           ThinCase{"unequalFaces", 1.6, 250, 600, 6, 40},
                                           ThinCase{"water", 1.33, 200, 200, 10, 40}),
                         [](const ::testing::TestParamInfo<ThinCase>& p) { return std::string(p.param.name); });

}  // namespace
