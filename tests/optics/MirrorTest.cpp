// The mirrors' geometry: each kind's points lie on the curve its design
// names, the vertex at the origin facing left, the derivatives the
// stationary-point search relies on agree with the points, and a mirror that
// cannot exist is refused in one line.
#include "optics/Mirror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using optics::MirrorDesign;
using optics::MirrorKind;

struct Shape {
  const char* name;
  MirrorDesign design;
  // How far the point at u is from the curve (0 on it), in world units.
  double (*offCurve)(const MirrorDesign&, double x, double y);
};

double offFlat(const MirrorDesign&, double x, double) { return x; }
double offConcave(const MirrorDesign& d, double x, double y) { return std::hypot(x + d.Radius, y) - d.Radius; }
double offConvex(const MirrorDesign& d, double x, double y) { return std::hypot(x - d.Radius, y) - d.Radius; }
// A parabola's points are as far from the focus as from the directrix x = f.
double offParabola(const MirrorDesign& d, double x, double y) { return std::hypot(x + d.Focal, y) - (d.Focal - x); }
double offEllipse(const MirrorDesign& d, double x, double y) {
  const double sum0 = std::hypot(d.F1x, d.F1y) + std::hypot(d.F2x, d.F2y);
  return std::hypot(x - d.F1x, y - d.F1y) + std::hypot(x - d.F2x, y - d.F2y) - sum0;
}

class MirrorShape : public ::testing::TestWithParam<Shape> {};

TEST_P(MirrorShape, PointsLieOnTheCurveWithTheVertexAtTheOriginFacingLeft) {
  const Shape& s = GetParam();
  const optics::MirrorBuild b = optics::MakeMirror(s.design);
  ASSERT_TRUE(b.mirror) << b.error;
  const optics::Mirror& m = *b.mirror;
  const optics::MirrorPoint v = m.at(0), n = m.normal(0);
  EXPECT_NEAR(v.X, 0, 1e-12);
  EXPECT_NEAR(v.Y, 0, 1e-12);
  // Facing left along the axis; an ellipse faces along the bisector of the
  // directions to its foci, which is where it reflects a focus into the other.
  double nx = -1, ny = 0;
  if (s.design.Kind == MirrorKind::Elliptical) {
    const MirrorDesign& d = s.design;
    nx = d.F1x / std::hypot(d.F1x, d.F1y) + d.F2x / std::hypot(d.F2x, d.F2y);
    ny = d.F1y / std::hypot(d.F1x, d.F1y) + d.F2y / std::hypot(d.F2x, d.F2y);
    const double len = std::hypot(nx, ny);
    nx /= len;
    ny /= len;
  }
  EXPECT_NEAR(n.X, nx, 1e-12);
  EXPECT_NEAR(n.Y, ny, 1e-9);
  for (int i = 0; i <= 200; ++i) {
    const double u = m.uMin() + (m.uMax() - m.uMin()) * i / 200;
    const optics::MirrorPoint p = m.at(u);
    EXPECT_NEAR(s.offCurve(s.design, p.X, p.Y), 0, 1e-9) << "u = " << u;
    EXPECT_LE(std::abs(p.Y), m.aperture() * (1 + 1e-12)) << "u = " << u;
  }
  // The mirror reaches the aperture at both ends (the ellipse of the test is
  // large enough to).
  EXPECT_NEAR(std::abs(m.at(m.uMin()).Y), m.aperture(), 1e-9);
  EXPECT_NEAR(std::abs(m.at(m.uMax()).Y), m.aperture(), 1e-9);
}

TEST_P(MirrorShape, DerivativesAgreeWithThePoints) {
  const optics::Mirror m = *optics::MakeMirror(GetParam().design).mirror;
  const double h = 1e-5 * (m.uMax() - m.uMin());
  for (const double f : {-0.9, -0.3, 0.0, 0.45, 0.8}) {
    const double u = f * m.uMax();
    const optics::MirrorPoint p = m.at(u), a = m.at(u - h), b = m.at(u + h);
    const double scale = std::hypot(p.Dx, p.Dy);
    EXPECT_NEAR(p.Dx, (b.X - a.X) / (2 * h), 1e-6 * scale);
    EXPECT_NEAR(p.Dy, (b.Y - a.Y) / (2 * h), 1e-6 * scale);
    EXPECT_NEAR(p.Ddx, (b.Dx - a.Dx) / (2 * h), 1e-6 * scale);
    EXPECT_NEAR(p.Ddy, (b.Dy - a.Dy) / (2 * h), 1e-6 * scale);
    EXPECT_GT(p.Dy, 0) << "y rises with u";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MirrorShape,
    ::testing::Values(Shape{"flat", {.Kind = MirrorKind::Flat}, offFlat},
                      Shape{"concave", {.Kind = MirrorKind::Concave, .Radius = 250}, offConcave},
                      Shape{"convex", {.Kind = MirrorKind::Convex, .Radius = 400, .Aperture = 150}, offConvex},
                      Shape{"parabolic", {.Kind = MirrorKind::Parabolic, .Focal = 120}, offParabola},
                      Shape{"elliptical", {.Kind = MirrorKind::Elliptical}, offEllipse},
                      Shape{"tilted_ellipse",
                            {.Kind = MirrorKind::Elliptical, .F1x = -500, .F1y = 40, .F2x = -150, .F2y = -220},
                            offEllipse}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Mirror, AnEllipseSmallerThanTheApertureIsWholeButForItsSeam) {
  const optics::MirrorBuild b = optics::MakeMirror(
      {.Kind = MirrorKind::Elliptical, .F1x = -60, .F1y = 10, .F2x = -40, .F2y = -10, .Aperture = 300});
  ASSERT_TRUE(b.mirror) << b.error;
  EXPECT_NEAR(b.mirror->uMax() - b.mirror->uMin(), 2 * M_PI, 1e-6);
}

struct Refused {
  const char* name;
  MirrorDesign design;
  const char* words;  // part of the one-line reason
};

class MirrorRefused : public ::testing::TestWithParam<Refused> {};

TEST_P(MirrorRefused, InOneLine) {
  const optics::MirrorBuild b = optics::MakeMirror(GetParam().design);
  EXPECT_FALSE(b.mirror);
  EXPECT_NE(b.error.find(GetParam().words), std::string::npos) << b.error;
  EXPECT_EQ(b.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, MirrorRefused,
    ::testing::Values(
        Refused{"tiny_radius", {.Kind = MirrorKind::Concave, .Radius = 5}, "radius"},
        Refused{"nan_radius", {.Kind = MirrorKind::Convex, .Radius = NAN}, "radius"},
        Refused{"aperture_past_radius", {.Kind = MirrorKind::Concave, .Radius = 100, .Aperture = 120}, "exceed"},
        Refused{"no_aperture", {.Kind = MirrorKind::Flat, .Aperture = 0}, "aperture"},
        Refused{"huge_aperture", {.Kind = MirrorKind::Parabolic, .Aperture = 1e9}, "aperture"},
        Refused{"focal", {.Kind = MirrorKind::Parabolic, .Focal = -3}, "focal"},
        Refused{"vertex_between_foci",
                {.Kind = MirrorKind::Elliptical, .F1x = 0, .F1y = 100, .F2x = 0, .F2y = -100},
                "line between"},
        Refused{"foci_behind", {.Kind = MirrorKind::Elliptical, .F1x = 200, .F1y = 50, .F2x = 300, .F2y = 0}, "left"},
        Refused{"focus_far", {.Kind = MirrorKind::Elliptical, .F1x = -1e7, .F1y = 0}, "focus"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Mirror, EveryPresetCanExist) {
  for (const optics::MirrorPreset& p : optics::MirrorPresets()) {
    const optics::MirrorBuild b = optics::MakeMirror(p.design);
    EXPECT_TRUE(b.mirror) << p.key << ": " << b.error;
  }
}

}  // namespace
