// The bundle of least-time rays (BUNDLE OF RAYS) and its first wavelet
// circles (SHOW FIRST CIRLCES AFTER LENS), checked through the canvas log.
#include "ConstructionsFixture.h"

#include <algorithm>

namespace constructions_test {
namespace {

struct BundleCase {
  const char* name;
  int n;
  std::vector<Pt> exits, entries;  // worked values for the source (-300, 0)
  std::vector<double> times;
};
void PrintTo(const BundleCase& c, std::ostream* os) { *os << c.name; }

class BundleFromAxis : public WindowTest, public ::testing::WithParamInterface<BundleCase> {};

TEST_P(BundleFromAxis, FillsArraysAndDrawsDotThenBrokenLinePerRay) {
  const BundleCase& c = GetParam();
  const Pt s = placeSource(-300, 0);
  t.form().arithmosaktinon.setValue(c.n);
  t.canvas().DrawWidth = 3;  // whatever it was, the bundle leaves 1
  t.form().Command2.click();

  const scene::SceneState& sc = t.scene();
  const auto rays = static_cast<std::size_t>(c.n + 1);
  ASSERT_EQ(sc.ExitX.size(), rays);
  for (const auto* v : {&sc.EntryX, &sc.EntryY, &sc.ArrivalTime}) ASSERT_EQ(v->size(), rays);
  ASSERT_EQ(log().size(), 3 * rays);  // dot, source -> entry, entry -> exit
  for (std::size_t i = 0; i < rays; ++i) {
    const Pt x = c.exits.empty() ? bundleExit(int(i), c.n) : c.exits[i];
    const Path p = leastTime(s, x);
    EXPECT_TRUE(near(sc.ExitX[i], sc.ExitY[i], x, 1e-4)) << i;
    EXPECT_TRUE(near(sc.ExitX[i], sc.ExitY[i], bundleExit(int(i), c.n), 1e-4)) << i;
    EXPECT_TRUE(near(sc.EntryX[i], sc.EntryY[i], p.entry)) << i;
    EXPECT_NEAR(sc.ArrivalTime[i], p.time, 1e-3) << i;
    if (!c.entries.empty()) {
      EXPECT_TRUE(near(sc.EntryX[i], sc.EntryY[i], c.entries[i])) << i;
    }
    if (!c.times.empty()) {
      EXPECT_NEAR(sc.ArrivalTime[i], c.times[i], 1e-3) << i;
    }
    // Mirror images about the axis, to search precision.
    EXPECT_NEAR(sc.ExitY[i], -sc.ExitY[rays - 1 - i], 1e-9);
    EXPECT_NEAR(sc.EntryY[i], -sc.EntryY[rays - 1 - i], 1e-3);

    const Op& dot = log()[3 * i];
    const Op& air = log()[3 * i + 1];
    const Op& glass = log()[3 * i + 2];
    EXPECT_EQ(dot.kind, Kind::PSet);
    EXPECT_EQ(dot.width, 4);
    EXPECT_EQ(dot.color, canvas::kBlack);
    EXPECT_TRUE(near(dot.x1, dot.y1, x, 1e-4));
    EXPECT_EQ(air.kind, Kind::Line);
    EXPECT_EQ(air.width, 1);
    EXPECT_TRUE(near(air.x1, air.y1, s) && near(air.x2, air.y2, p.entry)) << i;
    EXPECT_EQ(glass.kind, Kind::Line);
    EXPECT_TRUE(near(glass.x1, glass.y1, p.entry) && near(glass.x2, glass.y2, x, 1e-4)) << i;
  }
  EXPECT_EQ(t.canvas().DrawWidth, 1);
  EXPECT_TRUE(t.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BundleFromAxis,
    ::testing::Values(
        BundleCase{"N2", 2,
                   {{11.2101, -36.7423}, {15, 0}, {11.2101, 36.7423}},
                   {{-11.007, -37.701}, {-15, 0}, {-11.007, 37.701}},
                   {167.959, 142.5 + 30, 167.959}},
        BundleCase{"N3", 3, {{9.5510, -43.9539}, {14.3918, -14.7843}, {14.3918, 14.7843}, {9.5510, 43.9539}}, {}, {}},
        BundleCase{"N10", 10, {}, {}, {}}),
    ByName());

TEST_F(WindowTest, SecondBundlePressReplacesArraysWithTheNewCount) {
  placeSource(-300, 0);
  t.form().arithmosaktinon.setValue(7);
  t.form().Command2.click();
  t.form().arithmosaktinon.setValue(3);
  t.form().Command2.click();
  ASSERT_EQ(t.scene().ExitX.size(), 4u);
  for (const auto* v : {&t.scene().EntryX, &t.scene().EntryY, &t.scene().ArrivalTime}) EXPECT_EQ(v->size(), 4u);
  EXPECT_TRUE(near(t.scene().ExitX[0], t.scene().ExitY[0], {9.5510, -43.9539}, 1e-4));
}

// First wavelet circles: sources on and far off the axis and close to the lens.
struct WaveletCase {
  const char* name;
  float sx, sy;
  int n;
};
void PrintTo(const WaveletCase& c, std::ostream* os) { *os << c.name; }
class FirstWavelets : public WindowTest, public ::testing::WithParamInterface<WaveletCase> {};

TEST_P(FirstWavelets, OneMarkPerRayInIndexOrder) {
  const WaveletCase& c = GetParam();
  const Pt s = placeSource(c.sx, c.sy);
  t.form().arithmosaktinon.setValue(c.n);
  t.form().Command3.click();

  const auto rays = static_cast<std::size_t>(c.n + 1);
  ASSERT_EQ(log().size(), 4 * rays);  // the bundle's three operations per ray, then one mark each
  std::vector<Path> paths;
  double latest = 0;
  for (std::size_t i = 0; i < rays; ++i) {
    paths.push_back(leastTime(s, bundleExit(int(i), c.n)));
    latest = std::max(latest, paths.back().time);
  }
  int dots = 0, smallest = 0;
  for (std::size_t i = 0; i < rays; ++i) {
    const Pt x = bundleExit(int(i), c.n);
    const Op& mark = log()[3 * rays + i];
    EXPECT_TRUE(near(mark.x1, mark.y1, x, 1e-4)) << i;
    const double inc = incidence(paths[i].entry, x);
    if (std::abs(inc - kCritical) < 0.003) continue;  // too close to the critical angle to call
    if (inc > kCritical) {
      ++dots;
      EXPECT_EQ(mark.kind, Kind::PSet) << i;
      EXPECT_EQ(mark.color, kRed);
      EXPECT_EQ(mark.width, 6);
    } else {
      EXPECT_EQ(mark.kind, Kind::Circle) << i;
      EXPECT_EQ(mark.color, canvas::kBlack);
      EXPECT_EQ(mark.width, 1);
      EXPECT_FALSE(mark.fill.has_value());
      EXPECT_NEAR(mark.r, 2 * (latest + 0.7 - paths[i].time), 2e-3) << i;
      if (std::abs(mark.r - 1.4) < 1e-3) ++smallest;
      // Equal arrival times give equal circles: mirror rays of a source on the axis.
      if (c.sy == 0) {
        EXPECT_NEAR(mark.r, log()[3 * rays + (rays - 1 - i)].r, 1e-3);
      }
    }
  }
  EXPECT_EQ(smallest, 1);  // the latest ray leaves the lens in every case here
  EXPECT_EQ(dots > 0, c.sy > 100) << "off-axis sources close to the lens show red dots";
  EXPECT_EQ(t.canvas().FillStyle, 1);
  EXPECT_EQ(t.canvas().DrawWidth, 1);
}

INSTANTIATE_TEST_SUITE_P(Sources, FirstWavelets,
                         ::testing::Values(WaveletCase{"OnAxis", -300, 0, 4}, WaveletCase{"OffAxis", -200, 30, 10},
                                           WaveletCase{"CloseAndHigh", -40, 120, 10},
                                           WaveletCase{"FarAndHigh", -100, 120, 7}),
                         ByName());

}  // namespace
}  // namespace constructions_test
