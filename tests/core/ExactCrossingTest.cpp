// The exact axis crossings of a bundle's rays, checked against a trace written
// here from the lens's geometry with Snell's law (allowed in a test, as the
// reference the least-time program must agree with), and the paraxial image
// against ray-transfer matrices.
#include "core/Bundle.h"
#include "optics/ExactRay.h"
#include "optics/Faces.h"
#include "optics/LensDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

struct Pt {
  double x = 0, y = 0;
};

// A face's point at height h and its unit normal there, from the circle's
// equation (not from the program's parametrisation).
Pt faceAt(const optics::Face& f, double h) {
  if (f.Flat) return {f.VertexX, h};
  return {f.CentreX + f.Facing * std::sqrt(f.Radius * f.Radius - h * h), h};
}
Pt unitNormal(const optics::Face& f, Pt p) {
  if (f.Flat) return {1, 0};
  return {(p.x - f.CentreX) / f.Radius, p.y / f.Radius};
}
Pt unit(Pt from, Pt to) {
  const double l = std::hypot(to.x - from.x, to.y - from.y);
  return {(to.x - from.x) / l, (to.y - from.y) / l};
}
double cross(Pt a, Pt b) {
  return a.x * b.y - a.y * b.x;
}

// The reference trace of the ray from s that leaves the second face at x:
// the entry height where sin i = n sin r on the first face (every root of a
// fine scan, bisected to the last bit, the fastest kept), then the vector form
// of Snell's law at x. Empty when the ray is totally reflected or misses.
struct Reference {
  std::optional<double> crossing;
  double nearGrazing = 1;  // 1 - (n sin i)^2 at the exit: near 0 the crossing is ill-conditioned
};
Reference snellTrace(const optics::Lens& lens, Pt s, Pt x) {
  const double n = double(lens.SpeedOutside) / lens.SpeedInside;
  const optics::Face& f1 = lens.First;
  const double limit = f1.Flat ? 2.0 * lens.HalfAperture : std::min(2.0 * lens.HalfAperture, 0.999999 * f1.Radius);
  const auto residual = [&](double h) {
    const Pt e = faceAt(f1, h), m = unitNormal(f1, e);
    return cross(m, unit(s, e)) - n * cross(m, unit(e, x));
  };
  const auto time = [&](double h) {
    const Pt e = faceAt(f1, h);
    return std::hypot(e.x - s.x, e.y - s.y) / lens.SpeedOutside + std::hypot(x.x - e.x, x.y - e.y) / lens.SpeedInside;
  };
  constexpr int kScan = 2000;
  std::optional<double> entry;
  for (int k = 0; k < kScan; ++k) {
    double a = -limit + 2 * limit * k / kScan, b = -limit + 2 * limit * (k + 1) / kScan;
    double ra = residual(a);
    if ((ra > 0) == (residual(b) > 0)) continue;
    for (int i = 0; i < 200 && a < b; ++i) {
      const double m = a + (b - a) / 2;
      if (m <= a || m >= b) break;
      if ((residual(m) > 0) == (ra > 0)) {
        a = m;
      } else {
        b = m;
      }
    }
    if (!entry || time(a) < time(*entry)) entry = a;
  }
  Reference r;
  if (!entry) return r;
  const Pt e = faceAt(f1, *entry);
  const Pt d = unit(e, x);
  Pt m = unitNormal(lens.Second, x);
  if (d.x * m.x + d.y * m.y < 0) m = {-m.x, -m.y};
  const double cosI = d.x * m.x + d.y * m.y;
  const double k = 1 - n * n * (1 - cosI * cosI);
  r.nearGrazing = k;
  if (k <= 0) return r;
  const Pt w{n * d.x + (std::sqrt(k) - n * cosI) * m.x, n * d.y + (std::sqrt(k) - n * cosI) * m.y};
  if (!(x.y * w.y < 0)) return r;
  r.crossing = x.x - x.y * w.x / w.y;
  return r;
}

// The paraxial image by ray-transfer matrices (height, n * slope): a face of
// signed radius R refracts by [[1, 0], [-(n2 - n1) / R, 1]], the glass carries
// over d by [[1, d / n], [0, 1]]; the image is where a ray from the source
// at slope 1 meets the axis again.
std::optional<double> matrixImage(const optics::Lens& lens, double sx) {
  const double n = double(lens.SpeedOutside) / lens.SpeedInside;
  const double v1 = faceAt(lens.First, 0).x, v2 = faceAt(lens.Second, 0).x;
  const auto power = [](const optics::Face& f, double change) {
    return f.Flat ? 0.0 : change / (f.CentreX - faceAt(f, 0).x);
  };
  double y = v1 - sx, u = 1;  // at the first vertex
  u -= power(lens.First, n - 1) * y;
  y += (v2 - v1) * u / n;
  u -= power(lens.Second, 1 - n) * y;
  if (u == 0 || !(-y / u > 0)) return std::nullopt;  // at infinity, or virtual
  return v2 - y / u;
}

struct RandomLenses {
  std::mt19937 rng;
  explicit RandomLenses(unsigned seed) : rng(seed) {}
  double uniform(double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); }
  int integer(int a, int b) { return std::uniform_int_distribution<>(a, b)(rng); }
  optics::FaceDesign face() {
    const int kind = integer(0, 2);
    if (kind == 0) return {.Flat = true};
    const double r = uniform(optics::kMinRadius, 1500);
    return {.Radius = kind == 1 ? r : -r};
  }
  optics::Lens next() {
    for (;;) {
      optics::LensDesign d{.N = uniform(optics::kMinIndex, optics::kMaxIndex),
                           .First = face(),
                           .Second = face(),
                           .Thickness = uniform(optics::kMinThickness, 150)};
      if (integer(0, 1) == 0) d.Aperture = uniform(20, 140);
      if (optics::LensBuild b = optics::MakeLens(d); b.lens) return *b.lens;
    }
  }
};

Pt bundleExit(const optics::Lens& lens, int i, int n) {
  const optics::FacePoint p = optics::PointOf(lens.Second, core::BundleAngle(i, n, lens));
  return {p.X, p.Y};
}

struct Seeded {
  const char* name;
  unsigned seed;
};
class ExactCrossings : public ::testing::TestWithParam<Seeded> {};

// Over random lenses and sources on the axis left of them, every ray of a
// bundle: the program's crossing by travel time and the reference trace by
// Snell's law agree on whether there is one and, if so, on where to 1e-9.
TEST_P(ExactCrossings, AgreeWithAnIndependentSnellTrace) {
  RandomLenses random(GetParam().seed);
  int compared = 0;
  for (int l = 0; l < 200; ++l) {
    const optics::Lens lens = random.next();
    const Pt s{lens.First.VertexX - random.uniform(30, 900), 0};
    const int n = random.integer(2, 100);
    for (int i = 0; i <= n; ++i) {
      const Pt x = bundleExit(lens, i, n);
      const std::optional<double> exact = optics::ExactAxisCrossing(lens, s.x, s.y, x.x, x.y);
      if (std::fabs(x.y) <= optics::kExactOnAxis) {
        EXPECT_FALSE(exact) << "a ray leaving on the axis runs along it";
        continue;
      }
      const Reference ref = snellTrace(lens, s, x);
      // Within a few millionths of grazing the crossing's position depends on
      // the last bits of the direction: the existence is all there is to compare.
      if (std::fabs(ref.nearGrazing) < 1e-6) continue;
      ASSERT_EQ(exact.has_value(), ref.crossing.has_value())
          << "lens " << l << " ray " << i << "/" << n << " at height " << x.y << " source " << s.x;
      if (!exact) continue;
      ++compared;
      EXPECT_NEAR(*exact, *ref.crossing, 1e-9 * std::fabs(*ref.crossing))
          << "lens " << l << " ray " << i << "/" << n << " at height " << x.y;
    }
  }
  EXPECT_GT(compared, 1000);
}

// A source on the axis: rays i and n - i are mirror images (their exit
// points' angles are negatives up to rounding) and cross at one point.
TEST_P(ExactCrossings, MirrorImageRaysCrossAtOnePoint) {
  RandomLenses random(GetParam().seed + 1000);
  int pairs = 0;
  for (int l = 0; l < 150; ++l) {
    const optics::Lens lens = random.next();
    const double sx = lens.First.VertexX - random.uniform(30, 900);
    const int n = random.integer(2, 100);
    for (int i = 0; i < n - i; ++i) {
      const Pt a = bundleExit(lens, i, n), b = bundleExit(lens, n - i, n);
      const std::optional<double> xa = optics::ExactAxisCrossing(lens, sx, 0, a.x, a.y);
      const std::optional<double> xb = optics::ExactAxisCrossing(lens, sx, 0, b.x, b.y);
      ASSERT_EQ(xa.has_value(), xb.has_value()) << "lens " << l << " rays " << i << " and " << n - i;
      if (!xa) continue;
      ++pairs;
      EXPECT_NEAR(*xa, *xb, 1e-12 * std::fabs(*xa)) << "lens " << l << " rays " << i << " and " << n - i;
    }
  }
  EXPECT_GT(pairs, 300);
}

// The innermost ray of ever larger bundles crosses ever nearer the paraxial
// image, and the formula's image is the matrices' own.
TEST_P(ExactCrossings, TheInnermostCrossingTendsToTheParaxialImage) {
  RandomLenses random(GetParam().seed + 2000);
  int lenses = 0;
  for (int l = 0; l < 200 && lenses < 25; ++l) {
    const optics::Lens lens = random.next();
    const double sx = lens.First.VertexX - random.uniform(30, 900);
    const std::optional<double> image = optics::ParaxialImage(lens, sx, 0);
    const std::optional<double> matrices = matrixImage(lens, sx);
    ASSERT_EQ(image.has_value(), matrices.has_value()) << "lens " << l;
    if (!image) continue;
    EXPECT_NEAR(*image, *matrices, 1e-12 * std::fabs(*matrices)) << "lens " << l;
    // An image very far away is a focus the bundle barely converges to.
    if (std::fabs(*image) > 5000) continue;
    ++lenses;
    double previous = INFINITY;
    for (const int n : {11, 101, 1001, 10001}) {
      // n odd: no ray on the axis; the innermost is ray (n - 1) / 2.
      const Pt x = bundleExit(lens, (n - 1) / 2, n);
      const std::optional<double> crossing = optics::ExactAxisCrossing(lens, sx, 0, x.x, x.y);
      ASSERT_TRUE(crossing) << "lens " << l << " n " << n;
      const double off = std::fabs(*crossing - *image);
      // Spherical aberration grows as the height squared: ten times the rays,
      // a hundredth of the distance (a quarter allowed for the fourth order).
      EXPECT_LT(off, previous / 25 + 1e-9 * std::fabs(*image)) << "lens " << l << " n " << n;
      previous = off;
    }
    EXPECT_LT(previous, 1e-5 * std::fabs(*image - lens.Second.VertexX)) << "lens " << l;
  }
  EXPECT_GE(lenses, 25);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ExactCrossings,
                         ::testing::Values(Seeded{"first", 39}, Seeded{"second", 7}, Seeded{"third", 2026}),
                         [](const ::testing::TestParamInfo<Seeded>& p) { return std::string(p.param.name); });

// Wherever the source stands (off the axis, in or right of the glass, far
// away) a crossing is a finite number or there is none, and the paraxial
// image exists only for a source on the axis.
TEST(ExactCrossing, IsFiniteOrAbsentForAnySource) {
  RandomLenses random(5);
  int found = 0;
  for (int l = 0; l < 40; ++l) {
    const optics::Lens lens = random.next();
    for (int k = 0; k < 40; ++k) {
      const double sx = random.uniform(-2000, 600), sy = random.uniform(-450, 450);
      EXPECT_FALSE(optics::ParaxialImage(lens, sx, sy)) << sx << "," << sy;
      for (int i = 0; i <= 10; ++i) {
        const Pt x = bundleExit(lens, i, 10);
        if (const std::optional<double> c = optics::ExactAxisCrossing(lens, sx, sy, x.x, x.y)) {
          EXPECT_TRUE(std::isfinite(*c));
          ++found;
        }
      }
    }
  }
  EXPECT_GT(found, 1000);
  const optics::Lens standard = optics::Lens::Standard();
  EXPECT_FALSE(optics::ExactAxisCrossing(standard, NAN, 0, 10, 20));
  EXPECT_FALSE(optics::ExactAxisCrossing(standard, -250, 0, INFINITY, 20));
}

}  // namespace
