// The glass of any lens is olive and nothing outside it is: over random
// lenses a teacher may choose (thin, thick, hollow, flat, meniscus), every
// pixel well inside the glass, away from the black marks on it, is the fill
// colour, and every pixel well outside is not.
#include "TestWindow.h"

#include "lab/LensPanelRows.h"
#include "optics/Faces.h"
#include "numeric/Colour.h"
#include "optics/LensDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using testing_support::TestWindow;

optics::FaceDesign randomFace(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 5);
  if (kind(rng) == 0) return {.Flat = true};
  const double r = std::uniform_real_distribution<>(100, 900)(rng);
  return {.Flat = false, .Radius = kind(rng) == 1 ? -r : r};
}

// A lens MakeLens takes, or none after a few tries.
std::optional<optics::LensDesign> randomLens(std::mt19937& rng) {
  for (int tries = 0; tries < 50; ++tries) {
    optics::LensDesign d;
    d.N = std::uniform_real_distribution<>(1.05, 4)(rng);
    d.First = randomFace(rng);
    d.Second = randomFace(rng);
    d.Thickness = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? std::uniform_real_distribution<>(2, 9)(rng)
                                                                      : std::uniform_real_distribution<>(2, 200)(rng);
    if (std::uniform_int_distribution<int>(0, 1)(rng) == 0) d.Aperture = std::uniform_real_distribution<>(20, 150)(rng);
    if (optics::MakeLens(d).lens) return d;
  }
  return std::nullopt;
}

TEST(LensFill, TheWholeGlassOfAnyLensIsOliveAndNothingOutside) {
  std::mt19937 rng(37);
  TestWindow t(QSize(900, 560));
  const canvas::Canvas& c = t.canvas();
  int lenses = 0, inside = 0, outside = 0;
  while (lenses < 60) {
    const std::optional<optics::LensDesign> design = randomLens(rng);
    if (!design) continue;
    ASSERT_EQ(t.w().setLens(*design), "");
    ++lenses;
    const optics::Lens& lens = t.w().lab().lens();
    const double unit = 1 / c.frame().pixelsPerUnit();  // a pixel in world units
    const lab::SceneState& s = t.scene();
    const core::Point target = lab::TargetPoint(t.w().lab().controls().thesiy.value, s);
    // The black marks on and near the glass, each with the room its ring and a pixel's rounding take.
    auto nearAMark = [&](double x, double y) {
      auto within = [&](double mx, double my, double r) { return std::hypot(x - mx, y - my) < r + 4 * unit; };
      if (std::abs(y) < 3 * unit) return true;  // the red axis
      if (within(target.x, target.y, 1.5)) return true;
      for (const optics::Face* f : {&lens.First, &lens.Second}) {
        if (!f->Flat && within(f->CentreX, 0, 2)) return true;
      }
      // The rims' dots (4 pixels wide) and the rim edges.
      return std::abs(std::abs(y) - lens.HalfAperture) < 5 * unit;
    };
    auto everywhere = [&](double x, double y, bool in) {
      for (int dx = -3; dx <= 3; dx += 3) {
        for (int dy = -3; dy <= 3; dy += 3) {
          if (optics::InGlass(lens, x + dx * unit, y + dy * unit) != in) return false;
        }
      }
      return true;
    };
    for (double x = -s.XMax + 4; x < s.XMax - 4; x += 5) {
      for (double y = -s.YMax + 4; y < s.YMax - 4; y += 5) {
        if (nearAMark(x, y)) continue;
        const QRgb pixel = t.pixelAt(x, y);
        if (everywhere(x, y, true)) {
          ++inside;
          ASSERT_EQ(pixel, numeric::kOlive | 0xff000000u)
              << "inside the glass at (" << x << ", " << y << ") of lens " << lenses;
        } else if (everywhere(x, y, false)) {
          ++outside;
          ASSERT_NE(pixel, numeric::kOlive | 0xff000000u)
              << "outside the glass at (" << x << ", " << y << ") of lens " << lenses;
        }
      }
    }
  }
  EXPECT_GT(inside, 1000);
  EXPECT_GT(outside, 10000);
}

}  // namespace
