// Position by least time as a result: the entry point, the normal and the
// ratio against the independent solver, and the picture's order.
#include "Reference.h"
#include "core/Bundle.h"
#include "core/Constants.h"
#include "core/LeastTimeRay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace reference;
using K = core::DrawOp::Kind;
const optics::Lens kLens = optics::Lens::Standard();

struct FermatCase {
  const char* name;
  float sx, sy;
  int h;
};
class PositionByFermat : public ::testing::TestWithParam<FermatCase> {};

// The entry point is the least-time one, the dotted normal runs from the first surface's centre of curvature
// through it towards the source, and the ratio of sines is the ratio of the speeds.
TEST_P(PositionByFermat, EntryNormalAndRatioFollowTheLeastTimePath) {
  const FermatCase& c = GetParam();
  const core::FermatResult r = core::PositionByFermat(kLens, {c.sx, c.sy}, c.h);
  ASSERT_TRUE(r.Found);
  const Path ref = leastTime({c.sx, c.sy}, {r.Target.x, r.Target.y});
  EXPECT_NEAR(r.EntryX, ref.entry.x, 1e-3);
  EXPECT_NEAR(r.EntryY, ref.entry.y, 1e-3);
  EXPECT_NEAR(r.Time, ref.time, 1e-6);
  ASSERT_TRUE(r.NormalDrawn);
  const core::Segment& n = r.Normal;
  EXPECT_TRUE(n.x1 == kC && n.y1 == 0);
  EXPECT_LT(skew(n.x2 - kC, n.y2, ref.entry.x - kC, ref.entry.y), 1e-5);  // through the entry point
  EXPECT_NEAR(n.x2, (ref.entry.x + c.sx) / 2, 1e-3);                     // out to midway towards the source
  ASSERT_TRUE(r.RatioShown);
  EXPECT_NEAR(r.Ratio, 2.0, 1e-3);
  // The picture: path, marker, angles, ratio, the dotted normal, the time.
  std::vector<K> kinds;
  for (const core::DrawOp& op : r.drawing.ops) kinds.push_back(op.kind);
  EXPECT_EQ(kinds, (std::vector<K>{K::Line, K::LineTo, K::MoveEntry, K::Caption, K::Caption, K::DrawStyle, K::Line,
                                   K::DrawStyle, K::Caption}));
  EXPECT_EQ(r.drawing.ops[5].value, 2);
  EXPECT_EQ(r.drawing.ops[7].value, 0);
}

INSTANTIATE_TEST_SUITE_P(Sources, PositionByFermat,
                         ::testing::Values(FermatCase{"AboveTheAxis", -200, 40, 0},
                                           FermatCase{"BelowTheAxis", -150, -60, 20},
                                           FermatCase{"HighTarget", -300, 0, 50}, FermatCase{"LowTarget", -250, 10, -45}),
                         ByName{});

// A search that fails does not stop the construction: its message stands in the picture exactly where the
// search ran, before the drawing that uses its (zero) result.
TEST(FailedSearch, ItsMessageStandsWhereTheSearchRan) {
  optics::Lens broken = kLens;
  broken.HalfAperture = std::numeric_limits<float>::quiet_NaN();  // no walk can start
  const core::FermatResult f = core::PositionByFermat(broken, {-200, 30}, 0);
  EXPECT_FALSE(f.Found);
  ASSERT_EQ(f.drawing.ops.size(), 1u);
  EXPECT_EQ(std::string(f.drawing.ops[0].text), core::kNotFound);
  const core::BundleResult b = core::TraceBundle(broken, {-200, 30}, 3, true);
  ASSERT_EQ(b.drawing.ops.size(), 4 * 6 + 1u);
  for (std::size_t i = 0; i < 4; ++i) {
    const core::DrawOp* op = &b.drawing.ops[6 * i];  // width, dot, width, message, source -> entry, -> exit
    EXPECT_TRUE(op[2].kind == K::DrawWidth && op[3].kind == K::Message && op[4].kind == K::Line) << i;
    EXPECT_TRUE(op[4].x2 == 0 && op[4].y2 == 0) << i;
  }
}

}  // namespace
