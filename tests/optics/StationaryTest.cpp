// Every stationary point of the time source -> mirror -> target: the law of
// reflection comes out of the time alone, each point's kind matches how the
// time bends there, none is missed by the search (against a fine scan of the
// time), and the cases whose answer is known by geometry come out so.
#include "optics/Stationary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using optics::MirrorDesign;
using optics::MirrorKind;
using optics::StationaryKind;

constexpr double kSpeed = 2;

struct Case {
  MirrorDesign design;
  double sx, sy, tx, ty;
};

bool inFront(const optics::Mirror& m, double u, const Case& c) {
  const optics::MirrorPoint p = m.at(u), n = m.normal(u);
  return n.X * (c.sx - p.X) + n.Y * (c.sy - p.Y) > 0 && n.X * (c.tx - p.X) + n.Y * (c.ty - p.Y) > 0;
}

// A random mirror that can exist with a source and a target in front of its vertex.
Case randomCase(std::mt19937_64& rng) {
  std::uniform_real_distribution<double> unit(0, 1);
  auto between = [&](double lo, double hi) { return lo + (hi - lo) * unit(rng); };
  for (;;) {
    Case c{};
    const int kind = static_cast<int>(rng() % 5);
    c.design.Kind = static_cast<MirrorKind>(kind);
    c.design.Radius = between(60, 800);
    c.design.Focal = between(20, 400);
    c.design.F1x = between(-500, -20);
    c.design.F1y = between(-200, 200);
    c.design.F2x = between(-500, -20);
    c.design.F2y = between(-200, 200);
    c.design.Aperture = between(20, 200);
    c.sx = between(-320, -30);
    c.sy = between(-180, 180);
    c.tx = between(-320, -30);
    c.ty = between(-180, 180);
    if (optics::MakeMirror(c.design).mirror) return c;
  }
}

// The interior sample points of a fine scan where the time turns (its
// differences change sign), the source and target in front of the mirror.
std::vector<double> scannedTurns(const optics::Mirror& m, const Case& c, int samples) {
  std::vector<double> u(samples + 1), t(samples + 1);
  for (int i = 0; i <= samples; ++i) {
    u[i] = m.uMin() + (m.uMax() - m.uMin()) * i / samples;
    t[i] = optics::TimeAlong(m, u[i], c.sx, c.sy, c.tx, c.ty, kSpeed).T;
  }
  std::vector<double> turns;
  for (int i = 1; i < samples; ++i) {
    const double before = t[i] - t[i - 1], after = t[i + 1] - t[i];
    if ((before < 0 && after > 0) || (before > 0 && after < 0)) {
      if (inFront(m, u[i], c)) turns.push_back(u[i]);
    }
  }
  return turns;
}

TEST(StationaryPoints, RandomMirrorsObeyReflectionHaveTheirKindAndMissNone) {
  std::mt19937_64 rng(20261209);
  int points = 0, maxima = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const Case c = randomCase(rng);
    const optics::Mirror m = *optics::MakeMirror(c.design).mirror;
    const optics::StationaryResult r = optics::StationaryPoints(m, c.sx, c.sy, c.tx, c.ty, kSpeed);
    SCOPED_TRACE("trial " + std::to_string(trial) + " kind " + std::to_string(static_cast<int>(c.design.Kind)));
    ASSERT_FALSE(r.Constant);
    const double length = m.uMax() - m.uMin();
    for (const optics::StationaryPoint& p : r.Points) {
      ++points;
      EXPECT_NEAR(p.Incidence, p.Reflection, 1e-9) << "at u = " << p.U;
      EXPECT_TRUE(inFront(m, p.U, c));
      // The second difference of the time itself, away from the ends.
      const double h = 1e-3 * length;
      if (p.U - h < m.uMin() || p.U + h > m.uMax()) continue;
      auto T = [&](double u) { return optics::TimeAlong(m, u, c.sx, c.sy, c.tx, c.ty, kSpeed).T; };
      const double second = T(p.U + h) - 2 * T(p.U) + T(p.U - h);
      if (p.Kind == StationaryKind::Minimum) {
        EXPECT_GT(second, 0) << "at u = " << p.U;
      }
      if (p.Kind == StationaryKind::Maximum) {
        ++maxima;
        EXPECT_LT(second, 0) << "at u = " << p.U;
      }
    }
    // Every turn of the finely scanned time is a point found, and every
    // minimum or maximum found is a turn of the scan.
    constexpr int kScan = 20000;
    const double step = length / kScan;
    for (const double turn : scannedTurns(m, c, kScan)) {
      const bool found = std::any_of(r.Points.begin(), r.Points.end(),
                                     [&](const optics::StationaryPoint& p) { return std::abs(p.U - turn) <= 2 * step; });
      EXPECT_TRUE(found) << "missed the turn at u = " << turn;
    }
    const std::vector<double> turns = scannedTurns(m, c, kScan);
    for (const optics::StationaryPoint& p : r.Points) {
      if (p.Kind == StationaryKind::Inflection || p.U - 2 * step < m.uMin() || p.U + 2 * step > m.uMax()) continue;
      const bool scanned =
          std::any_of(turns.begin(), turns.end(), [&](double t) { return std::abs(p.U - t) <= 2 * step; });
      EXPECT_TRUE(scanned) << "no turn of the time near u = " << p.U;
    }
  }
  // The random set reaches more than the trivial case.
  EXPECT_GT(points, 200);
  EXPECT_GT(maxima, 5);
}

TEST(StationaryPoints, AFlatMirrorHasOneMinimumWhereTheImageConstructionPutsIt) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Flat}).mirror;
  for (const auto& [sx, sy, tx, ty] : {std::array{-200.0, 60.0, -120.0, -40.0}, std::array{-40.0, -150.0, -300.0, 170.0},
                                       std::array{-100.0, 0.0, -100.0, 0.0}}) {
    const optics::StationaryResult r = optics::StationaryPoints(m, sx, sy, tx, ty, kSpeed);
    ASSERT_EQ(r.Points.size(), 1u);
    EXPECT_EQ(r.Points[0].Kind, StationaryKind::Minimum);
    // The line from the source's image (-sx, sy) to the target crosses the mirror there.
    const double along = (0 - (-sx)) / (tx - (-sx));
    EXPECT_NEAR(r.Points[0].Y, sy + along * (ty - sy), 1e-9);
    EXPECT_NEAR(r.Points[0].Time, std::hypot(tx + sx, ty - sy) / kSpeed, 1e-9);
  }
}

TEST(StationaryPoints, AtTheFociOfTheEllipseTheTimeIsTheSameAllAlong) {
  const MirrorDesign d{.Kind = MirrorKind::Elliptical, .F1x = -260, .F1y = 120, .F2x = -180, .F2y = -70};
  const optics::Mirror m = *optics::MakeMirror(d).mirror;
  const optics::StationaryResult r = optics::StationaryPoints(m, d.F1x, d.F1y, d.F2x, d.F2y, kSpeed);
  ASSERT_TRUE(r.Constant);
  ASSERT_EQ(r.Points.size(), 1u);
  EXPECT_EQ(r.Points[0].Kind, StationaryKind::Constant);
  EXPECT_EQ(r.StretchFrom, m.uMin());
  EXPECT_EQ(r.StretchTo, m.uMax());
  const double t0 = optics::TimeAlong(m, 0, d.F1x, d.F1y, d.F2x, d.F2y, kSpeed).T;
  for (int i = 0; i <= 1000; ++i) {
    const double u = m.uMin() + (m.uMax() - m.uMin()) * i / 1000;
    EXPECT_NEAR(optics::TimeAlong(m, u, d.F1x, d.F1y, d.F2x, d.F2y, kSpeed).T, t0, 1e-12 * t0);
  }
  // Moved off a focus, the time has ordinary stationary points again.
  EXPECT_FALSE(optics::StationaryPoints(m, d.F1x + 5, d.F1y, d.F2x, d.F2y, kSpeed).Constant);
}

TEST(StationaryPoints, AtTheCentreOfAConcaveSphereEveryPointIsStationary) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Concave, .Radius = 220}).mirror;
  const optics::StationaryResult r = optics::StationaryPoints(m, -220, 0, -220, 0, kSpeed);
  ASSERT_TRUE(r.Constant);
  EXPECT_NEAR(r.Points.at(0).Time, 2 * 220 / kSpeed, 1e-12);
  EXPECT_NEAR(r.Points.at(0).Incidence, 0, 1e-12);
}

TEST(StationaryPoints, AMirrorCurvedMoreThanTheTangentEllipseGivesAMaximum) {
  // Source and target where the mirror scene starts them; the ellipse through
  // the vertex with foci there has a radius of curvature of 273.75 at the vertex.
  const double sx = -240, sy = 90, tx = -240, ty = -90;
  for (const double radius : {150.0, 200.0, 260.0}) {
    const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Concave, .Radius = radius}).mirror;
    const optics::StationaryResult r = optics::StationaryPoints(m, sx, sy, tx, ty, kSpeed);
    const auto vertex = std::find_if(r.Points.begin(), r.Points.end(),
                                     [](const optics::StationaryPoint& p) { return std::abs(p.Y) < 1e-9; });
    ASSERT_NE(vertex, r.Points.end()) << "r = " << radius;
    EXPECT_EQ(vertex->Kind, StationaryKind::Maximum) << "r = " << radius;
  }
  // Curved less than the ellipse, the same point is a minimum.
  const optics::Mirror gentle = *optics::MakeMirror({.Kind = MirrorKind::Concave, .Radius = 290}).mirror;
  const optics::StationaryResult r = optics::StationaryPoints(gentle, sx, sy, tx, ty, kSpeed);
  ASSERT_EQ(r.Points.size(), 1u);
  EXPECT_EQ(r.Points[0].Kind, StationaryKind::Minimum);
}

TEST(StationaryPoints, AParabolaTakesAParallelBeamToItsFocusInOneTime) {
  constexpr double f = 130;
  const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Parabolic, .Focal = f}).mirror;
  // From the plane x = -400 along the axis to the mirror, then to the focus.
  auto planeTime = [&](double u) {
    const optics::MirrorPoint p = m.at(u);
    return ((p.X + 400) + std::hypot(p.X + f, p.Y)) / kSpeed;
  };
  const double t0 = planeTime(0);
  for (int i = 0; i <= 400; ++i) {
    const double u = m.uMin() + (m.uMax() - m.uMin()) * i / 400;
    EXPECT_NEAR(planeTime(u), t0, 1e-12 * t0);
  }
  // A far source on a parallel line: its ray meets the mirror at its own
  // height and goes on to the focus by stationary time.
  for (const double y : {-150.0, -60.0, 10.0, 120.0}) {
    const optics::StationaryResult r = optics::StationaryPoints(m, -1e6, y, -f, 0, kSpeed);
    ASSERT_EQ(r.Points.size(), 1u) << "y = " << y;
    EXPECT_NEAR(r.Points[0].Y, y, 1e-3) << "y = " << y;
  }
}

TEST(StationaryPoints, NothingIsFoundWhereTheSourceIsBehindTheMirror) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Flat}).mirror;
  EXPECT_TRUE(optics::StationaryPoints(m, 100, 20, -100, -20, kSpeed).Points.empty());
  EXPECT_TRUE(optics::StationaryPoints(m, 100, 20, 150, -20, kSpeed).Points.empty());
}

}  // namespace
