// "Position by Fermat" on a mirror as data: a path for every stationary
// point in its kind's colour, the entry marker on the least-time one, the
// labels' numbers, and the mirror's outline and nearest point.
#include "core/Constants.h"
#include "core/MirrorFermat.h"
#include "optics/Lens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using core::DrawOp;
using optics::MirrorKind;
using optics::StationaryKind;

const double kSpeed = optics::Lens::Standard().SpeedOutside;

std::vector<const DrawOp*> opsOf(const core::Drawing& d, DrawOp::Kind k) {
  std::vector<const DrawOp*> out;
  for (const DrawOp& op : d.ops) {
    if (op.kind == k) out.push_back(&op);
  }
  return out;
}

const DrawOp* caption(const core::Drawing& d, core::Caption c) {
  for (const DrawOp* op : opsOf(d, DrawOp::Kind::Caption)) {
    if (op->caption == c) return op;
  }
  return nullptr;
}

TEST(MirrorFermat, EveryStationaryPathIsDrawnInItsKindsColourAndTheMarkerTakesTheLeast) {
  // Source and target near the centre of a sphere, which is curved more than
  // the ellipse through its vertex: the vertex is a maximum, with a minimum
  // on either side of it.
  const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Concave, .Radius = 150}).mirror;
  const core::MirrorFermatResult r = core::MirrorPositionByFermat(m, {-140, 40}, {-140, -40}, kSpeed);
  const auto& points = r.Stationary.Points;
  ASSERT_EQ(points.size(), 3u);
  ASSERT_TRUE(r.Least);
  for (const optics::StationaryPoint& p : points) EXPECT_GE(p.Time, points[*r.Least].Time);
  EXPECT_TRUE(std::any_of(points.begin(), points.end(),
                          [](const optics::StationaryPoint& p) { return p.Kind == StationaryKind::Maximum; }));
  // One leg from the source to each point, in the colour of its kind.
  const auto lines = opsOf(r.drawing, DrawOp::Kind::Line);
  for (const optics::StationaryPoint& p : points) {
    const bool drawn = std::any_of(lines.begin(), lines.end(), [&](const DrawOp* op) {
      return op->x1 == -140 && op->y1 == 40 && op->x2 == p.X && op->y2 == p.Y &&
             op->colour == core::StationaryColour(p.Kind);
    });
    EXPECT_TRUE(drawn) << optics::StationaryKindName(p.Kind) << " at y = " << p.Y;
  }
  // Each kind has a colour of its own: a most-time path never looks like a least-time one.
  const numeric::Colour kinds[] = {core::StationaryColour(StationaryKind::Minimum),
                                   core::StationaryColour(StationaryKind::Maximum),
                                   core::StationaryColour(StationaryKind::Inflection),
                                   core::StationaryColour(StationaryKind::Constant)};
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = i + 1; j < 4; ++j) EXPECT_NE(kinds[i], kinds[j]) << i << " and " << j;
  }
  const auto moves = opsOf(r.drawing, DrawOp::Kind::MoveEntry);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0]->x1, points[*r.Least].X);
  EXPECT_EQ(moves[0]->y1, points[*r.Least].Y);
  const DrawOp* time = caption(r.drawing, core::Caption::FermatTime);
  const DrawOp* count = caption(r.drawing, core::Caption::StationaryCount);
  const DrawOp* angles = caption(r.drawing, core::Caption::MirrorAngles);
  ASSERT_TRUE(time && count && angles);
  EXPECT_EQ(time->a, points[*r.Least].Time);
  EXPECT_EQ(count->a, static_cast<double>(points.size()));
  EXPECT_NEAR(angles->a, angles->b, 1e-7);  // degrees
  EXPECT_TRUE(opsOf(r.drawing, DrawOp::Kind::Message).empty());
}

TEST(MirrorFermat, AConstantTimeIsShownByPathsAlongTheWholeMirror) {
  const optics::MirrorDesign d{.Kind = MirrorKind::Elliptical};
  const optics::Mirror m = *optics::MakeMirror(d).mirror;
  const core::Point target{d.F2x, d.F2y};
  const core::MirrorFermatResult r =
      core::MirrorPositionByFermat(m, {static_cast<float>(d.F1x), static_cast<float>(d.F1y)}, target, kSpeed);
  ASSERT_TRUE(r.Stationary.Constant);
  std::vector<double> heights;
  for (const DrawOp* op : opsOf(r.drawing, DrawOp::Kind::Line)) {
    if (op->x1 != d.F1x || op->y1 != d.F1y) continue;  // the dotted normals
    EXPECT_EQ(op->colour, core::StationaryColour(StationaryKind::Constant));
    heights.push_back(op->y2);
  }
  ASSERT_GE(heights.size(), 5u);
  const auto [low, high] = std::minmax_element(heights.begin(), heights.end());
  EXPECT_LT(*low, -0.5 * m.aperture());
  EXPECT_GT(*high, 0.5 * m.aperture());
  // The label says the whole mirror, not a count of one.
  EXPECT_NE(caption(r.drawing, core::Caption::StationaryStretch), nullptr);
  EXPECT_EQ(caption(r.drawing, core::Caption::StationaryCount), nullptr);
}

TEST(MirrorFermat, NoStationaryPathSaysSoAndDrawsNothing) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = MirrorKind::Flat}).mirror;
  const core::MirrorFermatResult r = core::MirrorPositionByFermat(m, {120, 30}, {-100, 0}, kSpeed);
  EXPECT_FALSE(r.Least);
  ASSERT_EQ(r.drawing.ops.size(), 1u);
  EXPECT_EQ(r.drawing.ops[0].kind, DrawOp::Kind::Message);
  EXPECT_EQ(std::string(r.drawing.ops[0].text), core::kNotFound);
}

class MirrorNearest : public ::testing::TestWithParam<int> {};

TEST_P(MirrorNearest, IsTheClosestPointOfAFineScan) {
  const optics::MirrorPreset& preset = optics::MirrorPresets()[static_cast<std::size_t>(GetParam())];
  const optics::Mirror m = *optics::MakeMirror(preset.design).mirror;
  const std::vector<core::Point> outline = core::MirrorOutline(m);
  EXPECT_NEAR(std::abs(outline.front().y), m.aperture(), 1e-9);
  EXPECT_NEAR(std::abs(outline.back().y), m.aperture(), 1e-9);
  for (const auto& [x, y] : {std::pair{-50.0, 20.0}, std::pair{10.0, -140.0}, std::pair{-200.0, 170.0}}) {
    const optics::MirrorPoint p = m.at(core::NearestParameter(m, x, y));
    const double found = std::hypot(p.X - x, p.Y - y);
    double best = INFINITY;
    for (int i = 0; i <= 100000; ++i) {
      const optics::MirrorPoint q = m.at(m.uMin() + (m.uMax() - m.uMin()) * i / 100000);
      best = std::min(best, std::hypot(q.X - x, q.Y - y));
    }
    EXPECT_LE(found, best + 1e-6) << preset.key << " from (" << x << ", " << y << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(Presets, MirrorNearest, ::testing::Range(0, 6));

}  // namespace
