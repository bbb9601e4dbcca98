// Lenses of the teacher's choice: which can exist, and that the least-time
// walk along any first face finds the point where Snell's law holds for the
// lens's index and no neighbour of which is faster.
#include "optics/Faces.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"
#include "optics/LensDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <random>
#include <string>

namespace {

using optics::FaceDesign;
using optics::LensDesign;

// Every field of two lenses: equal, but for the faces' RimCos, which may
// differ by `rimCos` (the standard lens stores 165 exactly; a built lens
// forms it from the rim height rounded to float).
void ExpectSameLens(const optics::Lens& made, const optics::Lens& standard, double rimCos) {
  EXPECT_EQ(made.HalfAperture, standard.HalfAperture);
  EXPECT_EQ(made.Pi, standard.Pi);
  EXPECT_EQ(made.SpeedOutside, standard.SpeedOutside);
  EXPECT_EQ(made.SpeedInside, standard.SpeedInside);
  EXPECT_EQ(made.Thickness, standard.Thickness);
  EXPECT_EQ(made.RimEdges, standard.RimEdges);
  for (const auto& [m, s] : {std::pair{made.First, standard.First}, std::pair{made.Second, standard.Second}}) {
    EXPECT_EQ(m.Flat, s.Flat);
    EXPECT_EQ(m.CentreX, s.CentreX);
    EXPECT_EQ(m.Radius, s.Radius);
    EXPECT_EQ(m.Facing, s.Facing);
    EXPECT_NEAR(m.RimCos, s.RimCos, rimCos);
    EXPECT_EQ(m.VertexX, s.VertexX);
  }
}

TEST(LensDesign, TheDefaultIsTheStandardLensToTheLastBit) {
  const optics::LensBuild b = optics::MakeLens(LensDesign{});
  ASSERT_TRUE(b.lens) << b.error;
  ExpectSameLens(*b.lens, optics::Lens::Standard(), 0);
}

// The standard lens is the lens its design describes: the design with its
// aperture given (where its faces meet) goes the general way, which must
// build Lens::Standard() field for field, its thickness on the axis and its
// rims where the faces meet.
TEST(LensDesign, TheStandardLensIsWhatItsDesignBuilds) {
  const optics::Lens s = optics::Lens::Standard();
  // The faces of radius 180 about (+-165, 0) meet at this height.
  const LensDesign design{.Aperture = std::sqrt(180.0 * 180.0 - 165.0 * 165.0)};
  ASSERT_NE(design, LensDesign{});
  const optics::LensBuild b = optics::MakeLens(design);
  ASSERT_TRUE(b.lens) << b.error;
  // The rim height rounded to float is off by at most half a float's step
  // there (2^-18 near 72), which moves the rim's axial distance by at most
  // 72/165 of that: under 2e-6.
  ExpectSameLens(*b.lens, s, 2e-6);
  // The faces meet at the rims: the first face's rim is the second's.
  EXPECT_EQ(optics::RimX(s.First), 0.0);
  EXPECT_EQ(optics::RimX(s.Second), 0.0);
}

// Every preset can exist, and a lens whose faces meet has its rims where the
// two faces' points at the rim height coincide.
TEST(LensDesign, EveryPresetCanExistAndItsFacesMeetOrAreJoinedAtTheRim) {
  for (const optics::LensPreset& p : optics::LensPresets()) {
    const optics::LensBuild b = optics::MakeLens(p.design);
    ASSERT_TRUE(b.lens) << p.key << ": " << b.error;
    const optics::Lens& l = *b.lens;
    const optics::FacePoint a = optics::PointOf(l.First, optics::RimParameter(l.First, l.HalfAperture));
    const optics::FacePoint c = optics::PointOf(l.Second, optics::RimParameter(l.Second, l.HalfAperture));
    EXPECT_NEAR(a.Y, l.HalfAperture, 1e-3) << p.key;
    EXPECT_NEAR(c.Y, l.HalfAperture, 1e-3) << p.key;
    if (l.RimEdges) {
      EXPECT_LT(a.X, c.X) << p.key << ": the first face's rim must lie left of the second's";
    } else {
      EXPECT_NEAR(a.X, c.X, 1e-3) << p.key;
    }
    // The fill's seed, the origin, lies inside the glass.
    EXPECT_LT(l.First.VertexX, 0) << p.key;
    EXPECT_GT(l.Second.VertexX, 0) << p.key;
  }
}

// Faces that never meet, with no aperture given: the lens takes the
// standard lens's height, which every face may reach (the smallest radius is
// above it), and flat edges join the rims.
class FacesThatNeverMeet : public ::testing::TestWithParam<LensDesign> {};

TEST_P(FacesThatNeverMeet, TakeTheStandardHeightWithEdgesAtTheRims) {
  const optics::LensBuild b = optics::MakeLens(GetParam());
  ASSERT_TRUE(b.lens) << b.error;
  EXPECT_EQ(b.lens->HalfAperture, optics::Lens::Standard().HalfAperture);
  EXPECT_TRUE(b.lens->RimEdges);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, FacesThatNeverMeet,
    ::testing::Values(LensDesign{.First = {.Flat = true}, .Second = {.Flat = true}},
                      LensDesign{.First = {.Radius = -100}, .Second = {.Radius = -100}, .Thickness = 2},
                      LensDesign{.First = {.Radius = optics::kMinRadius}, .Second = {.Flat = true},
                                 .Thickness = optics::kMaxThickness},
                      LensDesign{.First = {.Radius = 100000}, .Second = {.Radius = -100}, .Thickness = 5}));

struct BadLens {
  const char* name;
  LensDesign design;
  const char* mentions;
};

class RefusedLens : public ::testing::TestWithParam<BadLens> {};

TEST_P(RefusedLens, IsRefusedWithOneLineNamingWhatIsWrong) {
  const optics::LensBuild b = optics::MakeLens(GetParam().design);
  EXPECT_FALSE(b.lens);
  EXPECT_NE(b.error.find(GetParam().mentions), std::string::npos) << b.error;
  EXPECT_EQ(b.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedLens,
    ::testing::Values(
        BadLens{"indexTooLow", {.N = 1.04}, "n = 1.04"}, BadLens{"indexTooHigh", {.N = 4.01}, "n = 4.01"},
        BadLens{"indexNaN", {.N = NAN}, "n = nan"}, BadLens{"indexInfinite", {.N = INFINITY}, "n = inf"},
        BadLens{"radiusTooSmall", {.First = {.Radius = 99}}, "r1 = 99"},
        BadLens{"hollowRadiusTooSmall", {.Second = {.Radius = -99}}, "r2 = -99"},
        BadLens{"radiusHuge", {.First = {.Radius = 1e6}}, "r1 = 1000000"},
        BadLens{"radiusBelowAperture", {.Second = {.Radius = 120}, .Aperture = 130}, "r2 = 120"},
        BadLens{"radiusAtAperture", {.First = {.Radius = -150}, .Aperture = 150}, "r1 = -150"},
        BadLens{"facesCross", {.First = {.Radius = 200}, .Second = {.Radius = 200}, .Thickness = 10, .Aperture = 80},
                "cross"},
        BadLens{"thicknessZero", {.Thickness = 0}, "thickness = 0"},
        BadLens{"thicknessNegative", {.Thickness = -5}, "thickness = -5"},
        BadLens{"apertureZero", {.Aperture = 0}, "aperture = 0"},
        BadLens{"apertureNegative", {.Aperture = -3}, "aperture = -3"},
        BadLens{"apertureHuge", {.First = {.Flat = true}, .Second = {.Flat = true}, .Aperture = 401}, "aperture = 401"}),
    [](const ::testing::TestParamInfo<BadLens>& p) { return std::string(p.param.name); });

// A random lens that can exist: any index, each face flat or bulging or
// hollow, the aperture given or where the faces meet.
struct RandomLenses {
  std::mt19937 rng;
  explicit RandomLenses(unsigned seed) : rng(seed) {}
  double uniform(double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); }
  FaceDesign face() {
    const int kind = std::uniform_int_distribution<>(0, 2)(rng);
    if (kind == 0) return {.Flat = true};
    const double r = uniform(150, 1500);
    return {.Radius = kind == 1 ? r : -r};
  }
  optics::Lens next(LensDesign& design) {
    for (;;) {
      design = {.N = uniform(1.05, 4), .First = face(), .Second = face(), .Thickness = uniform(5, 120)};
      if (std::uniform_int_distribution<>(0, 1)(rng) == 0) design.Aperture = uniform(20, 140);
      if (optics::LensBuild b = optics::MakeLens(design); b.lens) return *b.lens;
    }
  }
};

// Over random lenses, sources and targets inside the glass: the walk's point
// obeys Snell's law for the lens's n (the sines' ratio within what the walk's
// last step, under 1e-6 of the parameter, allows), and no point of the face a
// little either side of it is reached sooner.
TEST(LeastTimeOnAnyLens, ObeysSnellsLawForItsIndexAndIsTheFastestOfItsNeighbourhood) {
  RandomLenses random(19);
  int checked = 0;
  for (int i = 0; i < 4000 && checked < 1500; ++i) {
    LensDesign design;
    const optics::Lens lens = random.next(design);
    const double sx = random.uniform(-320, -140), sy = random.uniform(-120, 120);
    // A target just inside the second face, within the aperture.
    const double py = random.uniform(-0.8, 0.8) * lens.HalfAperture;
    const optics::FacePoint exit = optics::PointOf(lens.Second, optics::ParameterAtHeight(lens.Second, py));
    const double px = exit.X - 0.5;
    const optics::LeastTimeWalk w = optics::LeastTimeSearch(sx, sy, px, py, lens);
    ASSERT_TRUE(w.Converged) << "lens " << i;
    // sin i / sin r at the face's point of parameter v, both angles from the normal there.
    auto ratioAt = [&](double v) {
      const optics::FacePoint e = optics::PointOf(lens.First, v);
      const optics::FacePoint n = optics::AxialNormal(lens.First, e.X, e.Y);
      auto sineTo = [&](double dx, double dy) {
        return (dx * n.Y - dy * n.X) / (std::hypot(dx, dy) * std::hypot(n.X, n.Y));
      };
      return std::pair{sineTo(e.X - sx, e.Y - sy), sineTo(px - e.X, py - e.Y)};
    };
    const double u = optics::ParameterOf(lens.First, w.X, w.Y, lens.Pi);
    const auto [sinI, sinR] = ratioAt(u);
    // Near normal incidence the ratio says nothing; the time test below still runs.
    if (std::fabs(sinR) > 0.05) {
      ++checked;
      // The walk stops within two of its last steps of the minimum: the ratio
      // may be off by as much as it changes over that distance.
      const double last = optics::ParameterSpan(lens.First, 2e-6);
      double allowed = 1e-9;
      for (const double v : {u - last, u + last}) {
        const auto [i2, r2] = ratioAt(v);
        allowed = std::max(allowed, std::fabs(i2 / r2 - sinI / sinR));
      }
      EXPECT_NEAR(sinI / sinR, double(lens.SpeedOutside), allowed) << "lens " << i << " n=" << design.N;
    }
    for (const double du : {1e-4, 1e-3, 1e-2}) {
      for (const double sign : {-1.0, 1.0}) {
        const optics::FacePoint q = optics::PointOf(lens.First, u + sign * optics::ParameterSpan(lens.First, du));
        const double t = optics::PathTime(sx, sy, q.X, q.Y, px, py, lens.SpeedOutside, lens.SpeedInside);
        EXPECT_LE(w.Time, t + 1e-9) << "lens " << i << " a step of " << sign * du;
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

}  // namespace
