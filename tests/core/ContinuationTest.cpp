// The two continuations as results: the continued rays, the normals and the
// wavefront points against the independent solver, the place of the message
// box in the picture, and the slider's replay of a stored continuation.
#include "Reference.h"
#include "core/BundleContinuation.h"
#include "core/Constants.h"
#include "core/RayContinuation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace reference;
using K = core::DrawOp::Kind;
const optics::Lens kLens = optics::Lens::Standard();
constexpr core::Frame kFrame{320, 200};

struct RayCase {
  const char* name;
  float sx, sy;
  int h;
};
class ContinueRay : public ::testing::TestWithParam<RayCase> {};

// The continued ray leaves P on the same side of the normal as the ray inside arrives, at the angle of
// refraction; the dashed normal runs from (-c, 0) through P; "Nai the" opens just before a rising ray is drawn.
TEST_P(ContinueRay, RefractedRayAndNormalThroughP) {
  const RayCase& c = GetParam();
  const core::RayContinuationResult r = core::ContinueRay(kLens, {c.sx, c.sy}, c.h);
  ASSERT_TRUE(r.Continued);
  const Pt p{r.X0, r.Y0};
  const Path ref = leastTime({c.sx, c.sy}, p);
  const double inside = fromNormal(p, p.x - ref.entry.x, p.y - ref.entry.y);
  const double outside = fromNormal(p, r.Ray.x2 - p.x, r.Ray.y2 - p.y);
  EXPECT_NEAR(std::sin(outside), 2 * std::sin(inside), 2e-3);
  EXPECT_LT(skew(r.Normal.x2 + kC, r.Normal.y2, p.x + kC, p.y), 1e-9);
  EXPECT_TRUE(r.Normal.x1 == -kC && r.Normal.y1 == 0 && r.Normal.x2 == 400);
  const std::vector<core::DrawOp>& ops = r.drawing.ops;
  const auto ray = std::find_if(ops.begin(), ops.end(), [&](const core::DrawOp& op) {
    return op.kind == K::Line && op.x1 == p.x && op.y1 == p.y && !op.colour;
  });
  ASSERT_NE(ray, ops.end());
  EXPECT_EQ(r.MessageShown, r.Ray.y2 > 0);
  EXPECT_EQ(ray[-1].kind == K::Message && std::string(ray[-1].text) == core::kNaiThe, r.Ray.y2 > 0);
  EXPECT_TRUE(ray[2].kind == K::DrawStyle && ray[2].value == 1 && ray[3].x2 == r.Normal.x2 && ray[3].y2 == r.Normal.y2);
}

INSTANTIATE_TEST_SUITE_P(Rays, ContinueRay,
                         ::testing::Values(RayCase{"Rising", -300, 0, 60}, RayCase{"Falling", -300, 0, -60},
                                           RayCase{"RaisedSource", -200, 30, 40},
                                           RayCase{"HighSourceLowRay", -100, 80, -20}),
                         ByName{});

// Near normal incidence every check fails; the ray then goes on straight along its path inside the lens.
TEST(ContinueRayNearNormal, UndeviatedRayKeepsTheInnerDirection) {
  int undeviated = 0;
  for (float sy : {-0.4f, -0.2f, 0.2f, 0.4f}) {
    const core::RayContinuationResult r = core::ContinueRay(kLens, {-300, sy}, 0);
    if (!r.Undeviated) continue;
    ++undeviated;
    const Path ref = leastTime({-300, sy}, {r.X0, r.Y0});
    EXPECT_EQ(r.Attempts.size(), 3u);
    EXPECT_NEAR(r.Ray.x2 - r.X0, 250, 1e-9);
    EXPECT_NEAR((r.Ray.y2 - r.Y0) / 250, (r.Y0 - ref.entry.y) / (r.X0 - ref.entry.x), 1e-5) << sy;
  }
  EXPECT_GT(undeviated, 0);
}

// The single-ray continuation's wavefront point is the exact double midpoint of the two outer crossings of the
// wavelets, whatever the source and the height; rounding it to Single would move it in most cases.
TEST(ContinueRayWavefront, MidpointOfTheOuterCrossingsStaysDouble) {
  std::mt19937 rng(14);
  std::uniform_real_distribution<double> sx(-400, -40), sy(-150, 150);
  std::uniform_int_distribution<int> height(-70, 70);
  int checked = 0, offFloat = 0;
  for (int i = 0; i < 300; ++i) {
    const core::SourcePoint src{float(sx(rng)), float(sy(rng))};
    const core::RayContinuationResult r = core::ContinueRay(kLens, src, height(rng));
    for (const core::RayAttempt& a : r.Attempts) {
      const core::WaveletCrossing& w = a.Wavelets;
      if (!w.c1.Found || !w.c2.Found) continue;
      auto outer = [&](const optics::CircleCrossing& c) {
        const double da = std::hypot(c.XA - double(src.x), c.YA - double(src.y));
        const double db = std::hypot(c.XB - double(src.x), c.YB - double(src.y));
        return da > db ? Pt{c.XA, c.YA} : Pt{c.XB, c.YB};
      };
      const Pt q1 = outer(w.c1), q2 = outer(w.c2);
      ++checked;
      EXPECT_EQ(w.mx, (q1.x + q2.x) / 2) << i;
      EXPECT_EQ(w.my, (q1.y + q2.y) / 2) << i;
      offFloat += double(float(w.mx)) != w.mx || double(float(w.my)) != w.my;
      if (a.Usable) {
        EXPECT_EQ(a.Ey, r.Y0 + 50 * (w.my - r.Y0) / (w.mx - r.X0)) << i;  // E follows M unrounded
      }
    }
  }
  EXPECT_GT(checked, 300);
  EXPECT_GT(offFloat, checked / 4);  // the property has teeth: most midpoints are no floats
}

// Every continued bundle ray runs from its exit point at the angle of refraction to the frame's edge; its
// second-generation circle sits on that ray, one first-generation radius out; a ray not continued has neither
// a wavefront point nor a second circle.
void checkContinuation(const core::BundleContinuationResult& c, core::SourcePoint s) {
  for (std::size_t i = 0; i < c.Bundle.Rays.size(); ++i) {
    const core::BundleRay& r = c.Bundle.Rays[i];
    if (!r.Continued) {
      EXPECT_TRUE(r.Wavefront.X == 0 && r.Wavefront.Y == 0 && r.Wavefront.Time == 0) << i;
      EXPECT_FALSE(c.SecondCentre[i].has_value()) << i;
      continue;
    }
    const Pt x{r.ExitX, r.ExitY};
    const Path ref = leastTime({s.x, s.y}, x);
    const core::Segment& red = r.RedLine;
    ASSERT_TRUE(r.RedLineDrawn) << i;
    EXPECT_TRUE(std::abs(std::abs(red.x2) - kFrame.XMax) < 1e-3 || std::abs(std::abs(red.y2) - kFrame.YMax) < 1e-3);
    const double inside = fromNormal(x, x.x - ref.entry.x, x.y - ref.entry.y);
    EXPECT_NEAR(std::sin(fromNormal(x, red.x2 - x.x, red.y2 - x.y)), 2 * std::sin(inside), 3e-3) << i;
    ASSERT_TRUE(c.SecondCentre[i].has_value()) << i;
    const core::Point m = *c.SecondCentre[i];
    const double len = std::hypot(red.x2 - x.x, red.y2 - x.y);
    EXPECT_NEAR(m.x, x.x + c.FirstRadius[i] * (red.x2 - x.x) / len, 1e-3) << i;
    EXPECT_NEAR(m.y, x.y + c.FirstRadius[i] * (red.y2 - x.y) / len, 1e-3) << i;
  }
}

TEST(ContinueBundle, RaysAndSecondCentresFollowTheRefractedDirection) {
  for (const core::SourcePoint s : {core::SourcePoint{-300, 0}, {-200, 30}, {-40, 120}, {-100, -120}}) {
    SCOPED_TRACE(testing::Message() << "source " << s.x << "," << s.y);
    const core::BundleContinuationResult c = core::ContinueBundle(kLens, kFrame, s, 10);
    std::size_t continued = 0;
    for (const core::BundleRay& r : c.Bundle.Rays) continued += r.Continued;
    EXPECT_GT(continued, 3u);
    checkContinuation(c, s);
  }
}

// From a source dragged far off, some rays within the critical angle find no wavefront point; they must not
// take the one of the ray before them.
TEST(ContinueBundle, RayWithoutAWavefrontPointKeepsNone) {
  int afterContinued = 0;
  for (const core::SourcePoint s : {core::SourcePoint{-23816650, 0.972766459f}, {-32361960, 10.9629526f},
                                    {28636078, -0.732502818f}}) {
    const core::BundleContinuationResult c = core::ContinueBundle(kLens, kFrame, s, 26);
    bool seen = false;
    for (const core::BundleRay& r : c.Bundle.Rays) {
      afterContinued += seen && r.Leaves && !r.Continued;
      seen = seen || r.Continued;
      EXPECT_TRUE(r.Continued || (r.Wavefront.X == 0 && r.Wavefront.Y == 0 && r.Wavefront.Time == 0));
    }
  }
  EXPECT_GT(afterContinued, 0);
}

// A stored continuation replayed for another slider value differs from the first picture only in the second
// generation's radius, 2 (slider - 0.7).
TEST(ContinueBundle, SliderReplayChangesOnlyTheSecondRadius) {
  const core::BundleContinuationResult c = core::ContinueBundle(kLens, kFrame, {-200, 30}, 10);
  const core::BundleWavelets early = core::WaveletsAt(c, kLens, 5), late = core::WaveletsAt(c, kLens, 60);
  EXPECT_NEAR(early.SecondRadius, 8.6, 1e-4);
  EXPECT_NEAR(late.SecondRadius, 118.6, 1e-4);
  const core::Drawing a = core::BundleContinuationDrawing(c, early), b = core::BundleContinuationDrawing(c, late);
  ASSERT_EQ(a.ops.size(), b.ops.size());
  std::size_t grown = 0;
  for (std::size_t i = 0; i < a.ops.size(); ++i) {
    ASSERT_EQ(a.ops[i].kind, b.ops[i].kind);
    EXPECT_TRUE(a.ops[i].x1 == b.ops[i].x1 && a.ops[i].y1 == b.ops[i].y1);
    if (a.ops[i].r != b.ops[i].r) {
      ++grown;
      EXPECT_TRUE(a.ops[i].r == early.SecondRadius && b.ops[i].r == late.SecondRadius);
    }
  }
  std::size_t centres = 0;
  for (const auto& m : c.SecondCentre) centres += m.has_value();
  EXPECT_EQ(grown, centres);
  EXPECT_EQ(a.ops.back().kind, K::FillStyle);
  EXPECT_EQ(a.ops.back().value, 0);
}

}  // namespace
