// Continuation of the whole bundle after the lens (continuation of bundle
// after lens), its two wavelet generations and the time slider.
#include "ConstructionsFixture.h"

#include "constructions/Bundle.h"
#include "constructions/BundleContinuation.h"

#include <algorithm>

namespace constructions_test {
namespace {

class BundleContinuation : public WindowTest {
 protected:
  Pt s;
  int n = 0;
  std::vector<Pt> exits;
  std::vector<Path> paths;
  double latest = 0;  // latest arrival of the whole bundle

  void prepare(float sx, float sy, int rays) {
    s = placeSource(sx, sy);
    n = rays;
    t.form().arithmosaktinon.setValue(rays);
    exits.clear();
    paths.clear();
    latest = 0;
    for (int i = 0; i <= n; ++i) {
      exits.push_back(bundleExit(i, n));
      paths.push_back(leastTime(s, exits.back()));
      latest = std::max(latest, paths.back().time);
    }
    t.canvas().clearLog();
  }
  double inc(int i) const { return incidence(paths[std::size_t(i)].entry, exits[std::size_t(i)]); }
  bool leaves(int i) const { return inc(i) < kCritical; }
  int leaving() const {
    int k = 0;
    for (int i = 0; i <= n; ++i) k += leaves(i);
    return k;
  }
  // Circles in drawing order: first generation, then second.
  std::vector<Op> circles() const { return t.ops(Kind::Circle); }
  bool onFrameEdge(const Op& op) const {
    const auto& sc = t.window->scene();
    return std::abs(std::abs(op.x2) - sc.XMax) < 1e-3 || std::abs(std::abs(op.y2) - sc.YMax) < 1e-3;
  }
};

TEST_F(BundleContinuation, TenRaysSpreadEvenlyAndTheAxialRayGoesOnAlongTheAxis) {
  prepare(-300, 0, 10);
  t.form().Command5.click();
  for (int i = 0; i <= 10; ++i) EXPECT_NEAR(constructions::BundleAngle(i, 10, t.scene()), -0.3426 + 0.06852 * i, 1e-4);
  EXPECT_NEAR(constructions::BundleAngle(0, 2, t.scene()), -0.2056, 1e-4);
  EXPECT_DOUBLE_EQ(constructions::BundleAngle(1, 2, t.scene()), 0.0);
  EXPECT_TRUE(near(t.scene().ExitX[0], t.scene().ExitY[0], {4.538, -60.471}));
  const std::vector<Op> red = linesOf(kRed);
  ASSERT_EQ(red.size(), 11u);
  EXPECT_TRUE(near(red[5].x1, red[5].y1, {15, 0}, 1e-9));
  EXPECT_FLOAT_EQ(red[5].x2, t.scene().XMax);
  EXPECT_NEAR(red[5].y2, 0, 0.05);
}

struct SourceCase {
  const char* name;
  float sx, sy;
  bool someReflected;
};
void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }
class ContinueBundleFrom : public BundleContinuation, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(ContinueBundleFrom, ContinuesEveryLeavingRayAndDrawsBothGenerations) {
  const SourceCase& c = GetParam();
  prepare(c.sx, c.sy, 10);
  t.form().Command5.click();
  const scene::SceneState& sc = t.scene();
  for (int i = 0; i <= n; ++i) ASSERT_GT(std::abs(inc(i) - kCritical), 0.005) << "ray " << i << " too close to call";
  EXPECT_EQ(leaving() <= n, c.someReflected);

  // The bundle first: source -> entry -> exit, in the canvas's colour.
  const std::vector<Op> lines = t.ops(Kind::Line);
  ASSERT_GE(lines.size(), 2u * (n + 1));
  for (int i = 0; i <= n; ++i) {
    const Op& air = lines[2 * std::size_t(i)];
    const Op& glass = lines[2 * std::size_t(i) + 1];
    EXPECT_TRUE(near(air.x1, air.y1, s) && near(air.x2, air.y2, paths[std::size_t(i)].entry)) << i;
    EXPECT_TRUE(near(glass.x2, glass.y2, exits[std::size_t(i)], 1e-4)) << i;
    EXPECT_EQ(air.color, canvas::kBlack);
  }
  // Then one red continuation per leaving ray, to the frame's edge, refracted
  // by the law the construction never used.
  const std::vector<Op> red = linesOf(kRed);
  ASSERT_EQ(red.size(), std::size_t(leaving()));
  EXPECT_EQ(lines.size(), 2u * (n + 1) + red.size());
  const std::vector<Op> circ = circles();
  ASSERT_EQ(circ.size(), 2 * red.size());
  const double secondRadius = 2 * (t.form().xronosmetato.Value() - 0.7);
  int lastLeaving = -1;
  for (int i = 0, k = 0; i <= n; ++i) {
    const Pt x = exits[std::size_t(i)];
    const optics::PathPoint& m = sc.WavefrontPoints[std::size_t(i)];
    if (!leaves(i)) {
      EXPECT_TRUE(m.X == 0 && m.Y == 0 && m.Time == 0) << i;
      for (const Op& op : red) EXPECT_FALSE(near(op.x1, op.y1, x)) << i;
      for (const Op& op : circ) EXPECT_FALSE(near(op.x1, op.y1, x)) << i;
      continue;
    }
    lastLeaving = i;
    const Op& r = red[std::size_t(k)];
    EXPECT_TRUE(near(r.x1, r.y1, x, 1e-4)) << i;
    EXPECT_TRUE(onFrameEdge(r)) << i << ": ends at " << r.x2 << "," << r.y2;
    EXPECT_GT(r.x2, r.x1);
    const double expected = std::asin(2 * std::sin(inc(i)));
    EXPECT_NEAR(fromNormal(x, r.x2 - r.x1, r.y2 - r.y1), expected, 0.002) << i;
    EXPECT_NEAR(fromNormal(x, m.X - x.x, m.Y - x.y), expected, 0.002) << i;

    const double firstRadius = 2 * (latest + 1.5 - paths[std::size_t(i)].time);
    const Op& first = circ[std::size_t(k)];
    const Op& second = circ[red.size() + std::size_t(k)];
    EXPECT_TRUE(near(first.x1, first.y1, x, 1e-4)) << i;
    EXPECT_NEAR(first.r, firstRadius, 2e-3) << i;
    EXPECT_NEAR(second.r, secondRadius, 1e-3) << i;
    EXPECT_NEAR(std::hypot(second.x1 - x.x, second.y1 - x.y), firstRadius, 2e-3) << i;
    EXPECT_GT(second.x1, x.x) << i;
    EXPECT_NEAR(std::atan((second.y1 - x.y) / (second.x1 - x.x)), std::atan((m.Y - x.y) / (m.X - x.x)), 1e-4) << i;
    for (const Op* op : {&first, &second}) EXPECT_FALSE(op->fill.has_value());
    ++k;
  }
  const double smallest =
      std::min_element(circ.begin(), circ.begin() + long(red.size()), [](auto& a, auto& b) { return a.r < b.r; })->r;
  EXPECT_NEAR(smallest, 3.0, 1e-3);  // the latest ray leaves the lens in every case here

  // The labels show the continued ray with the highest index.
  ASSERT_GE(lastLeaving, 0);
  EXPECT_NEAR(anglesOf(t.form().Label3.Caption()).incidence, inc(lastLeaving) * kDeg, 0.006);
  const QString n4 = t.form().Label4.Caption();
  ASSERT_TRUE(QRegularExpression(QStringLiteral("^n = \\d\\.\\d{3}$")).match(n4).hasMatch()) << n4.toStdString();
  const double shown = n4.mid(4).toDouble();
  EXPECT_GE(shown, 1.999);
  EXPECT_LE(shown, 2.001);
  const optics::PathPoint& m = sc.WavefrontPoints[std::size_t(lastLeaving)];
  const Pt x = exits[std::size_t(lastLeaving)];
  EXPECT_NEAR(std::sin(fromNormal(x, m.X - x.x, m.Y - x.y)) / std::sin(inc(lastLeaving)), shown, 1.5e-3);
  EXPECT_EQ(t.canvas().FillStyle, 0);
  EXPECT_TRUE(t.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Sources, ContinueBundleFrom,
                         ::testing::Values(SourceCase{"OnAxis", -300, 0, false},
                                           SourceCase{"Raised", -200, 30, false},
                                           SourceCase{"CloseOnAxis", -30, 0, false},
                                           SourceCase{"CloseAndHigh", -40, 120, true},
                                           SourceCase{"CloseAndRaised", -25, 60, true},
                                           SourceCase{"FarAndHigh", -100, 120, true}),
                         ByName());

// Everything but the second generation is independent of the time slider.
TEST_F(BundleContinuation, SliderGrowsTheSecondGenerationOnly) {
  prepare(-200, 30, 10);
  t.form().xronosmetato.setValue(100);
  const std::vector<Op> late = log();
  t.canvas().clearLog();
  t.form().xronosmetato.setValue(5);
  const std::vector<Op> early = log();
  ASSERT_EQ(late.size(), early.size());
  ASSERT_FALSE(late.empty());
  EXPECT_EQ(late.front().kind, Kind::Cls);
  const std::size_t second = std::size_t(leaving());
  std::size_t circlesSeen = 0, changed = 0;
  for (std::size_t i = 0; i < late.size(); ++i) {
    const Op &a = late[i], &b = early[i];
    ASSERT_EQ(a.kind, b.kind) << i;
    EXPECT_TRUE(a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.color == b.color) << i;
    const bool secondGeneration = a.kind == Kind::Circle && circlesSeen++ >= t.ops(Kind::Circle).size() - second;
    if (secondGeneration) {
      ++changed;
      EXPECT_NEAR(a.r, 198.6, 1e-3);
      EXPECT_NEAR(b.r, 8.6, 1e-3);
    } else {
      EXPECT_EQ(a.r, b.r) << i;
    }
  }
  EXPECT_EQ(changed, second);
  EXPECT_EQ(t.form().Label6.Caption(), QStringLiteral("t=5"));
  EXPECT_EQ(t.canvas().FillStyle, 0);
}

TEST_F(BundleContinuation, TimeLabelAndSourceFollowTheSlider) {
  EXPECT_EQ(t.form().Label6.Caption(), QStringLiteral("time=5"));
  const Pt before = placeSource(-300, 0);
  t.form().Command5.click();
  const Pt after = placeSource(-250, 20);
  t.form().xronosmetato.setValue(6);
  EXPECT_EQ(t.form().Label6.Caption(), QStringLiteral("t=6"));
  const int rays = t.form().arithmosaktinon.Value() + 1;
  int fromNew = 0;
  for (const Op& op : linesOf(canvas::kBlack)) {
    EXPECT_FALSE(near(op.x1, op.y1, before));
    fromNew += near(op.x1, op.y1, after);
  }
  EXPECT_EQ(fromNew, rays);
}

// A ray without a wavefront point, or one continued straight up, gets no
// second circle; the first generation is unaffected.
TEST_F(BundleContinuation, SecondGenerationNeedsADirectionAwayFromTheLens) {
  prepare(-300, 0, 10);
  t.form().Command5.click();
  scene::SceneState& sc = t.scene();
  sc.WavefrontPoints[3] = {};
  sc.ExitX[7] = static_cast<float>(sc.ExitX[7]);
  sc.WavefrontPoints[7].X = static_cast<float>(sc.ExitX[7]);
  t.canvas().clearLog();
  constructions::DrawBundleWavelets(t.form(), sc, static_cast<float>(latest + 5), n);
  const std::vector<Op> circ = circles();
  ASSERT_EQ(circ.size(), 11u + 9u);
  for (std::size_t k = 11; k < circ.size(); ++k) EXPECT_NEAR(circ[k].r, 8.6, 1e-3);
  for (int i : {3, 7}) {
    const double r = circ[std::size_t(i)].r;
    for (std::size_t k = 11; k < circ.size(); ++k)
      EXPECT_GT(std::abs(std::hypot(circ[k].x1 - exits[std::size_t(i)].x, circ[k].y1 - exits[std::size_t(i)].y) - r), 1e-2)
          << "no second circle on ray " << i;
  }
  EXPECT_EQ(t.canvas().FillStyle, 1);
}

TEST_F(BundleContinuation, TotallyReflectedExitPointIsNotContinued) {
  prepare(-40, 120, 10);
  t.form().Command5.click();
  ASSERT_FALSE(leaves(8));
  const optics::PathPoint kept = t.scene().WavefrontPoint;
  t.form().Label4.setCaption(QStringLiteral("kept"));
  t.canvas().clearLog();
  EXPECT_FALSE(constructions::ContinueBundleRay(t.form(), t.scene(), exits[8].x, exits[8].y));
  EXPECT_TRUE(log().empty());
  EXPECT_EQ(t.form().Label1.Caption(), QStringLiteral("total reflection     critical = 30.00"));
  EXPECT_NEAR(anglesOf(t.form().Label3.Caption()).incidence, inc(8) * kDeg, 0.006);
  EXPECT_EQ(t.form().Label4.Caption(), QStringLiteral("kept"));
  EXPECT_TRUE(kept.X == t.scene().WavefrontPoint.X && kept.Y == t.scene().WavefrontPoint.Y);
}

}  // namespace
}  // namespace constructions_test
